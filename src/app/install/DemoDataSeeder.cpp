#include "DemoDataSeeder.h"

#include "data/Clock.h"
#include "data/firebird/Connection.h"
#include "data/schema/UnitSchema.h"
#include "registries/UCpfCnpj.h"

#include <QHash>
#include <QRandomGenerator>
#include <QStringList>
#include <QTime>

#include <algorithm>
#include <memory>

namespace kalvero {

namespace {

constexpr int RowsPerTransaction = 10000;

// Writes many rows in few transactions: all statements of one writer share
// its transaction (rows that refer to each other go in together), committed
// every so many rows.
class BulkWriter {
public:
    explicit BulkWriter(Connection &c) : m_connection(c) {}
    ~BulkWriter() { commit(); }
    void add(const QString &sql, const QVariantList &values) {
        if (!m_transaction)
            m_transaction = std::make_unique<fb::Transaction>(m_connection.attachment(), fb::Transaction::Mode::ReadWrite);
        m_connection.prepare(sql)->execute(*m_transaction, values);
        ++m_counts[sql];
        if (++m_pending == RowsPerTransaction)
            commit();
    }
    void commit() {
        if (m_transaction)
            m_transaction->commit();
        m_transaction.reset();
        m_pending = 0;
    }
    int count(const QString &sql) const { return m_counts.value(sql); }

private:
    Connection &m_connection;
    std::unique_ptr<fb::Transaction> m_transaction;
    QHash<QString, int> m_counts;
    int m_pending = 0;
};

const QStringList FirstNames = {"MARIA", "JOSÉ", "ANTÔNIO", "FRANCISCA", "JOÃO", "ANA", "FRANCISCO", "ANTÔNIA",
                                "CARLOS", "RAIMUNDA", "PAULO", "LUCIANA", "PEDRO", "JOSEFA", "LUÍS", "FERNANDA",
                                "MARCOS", "TEREZINHA", "RAIMUNDO", "SEBASTIANA", "DOMINGOS", "CLÁUDIA"};
const QStringList Surnames = {"DA SILVA", "DOS SANTOS", "DE SOUSA", "PEREIRA", "DE OLIVEIRA", "RODRIGUES",
                              "DE CARVALHO", "ALVES", "LIMA", "GOMES", "RIBEIRO", "MARTINS", "ARAÚJO",
                              "BARBOSA", "DE MOURA", "D'ÁVILA", "CASTELO BRANCO", "NUNES"};
const QStringList Companies = {"COMERCIAL", "CONSTRUTORA", "MERCADINHO", "FARMÁCIA", "PADARIA", "TRANSPORTES",
                               "AUTO PEÇAS", "MATERIAIS DE CONSTRUÇÃO"};
const QStringList Streets = {"RUA COELHO DE RESENDE", "AVENIDA FREI SERAFIM", "RUA DESEMBARGADOR FREITAS",
                             "RUA DAVID CALDAS", "AVENIDA GETÚLIO VARGAS", "RUA SÃO PEDRO", "TRAVESSA DO COMÉRCIO",
                             "RUA SIMPLÍCIO MENDES", "PRAÇA DA BANDEIRA"};
const QStringList Districts = {"CENTRO", "SÃO CRISTÓVÃO", "PIÇARRA", "VERMELHA", "ITARARÉ", "MOCAMBINHO"};

struct Subject {
    const char *name;
    QStringList documents;
};
const QVector<Subject> Subjects = {
    {"ALVARÁ DE CONSTRUÇÃO", {"CÓPIA DO RG", "CÓPIA DO CPF", "ESCRITURA DO IMÓVEL", "PLANTA BAIXA"}},
    {"CERTIDÃO NEGATIVA DE DÉBITOS", {"CÓPIA DO RG", "CÓPIA DO CPF"}},
    {"ISENÇÃO DE IPTU", {"CÓPIA DO RG", "COMPROVANTE DE RENDA", "CARNÊ DO IPTU"}},
    {"LICENÇA DE FUNCIONAMENTO", {"CONTRATO SOCIAL", "CARTÃO CNPJ", "ALVARÁ DO CORPO DE BOMBEIROS"}},
    {"REQUERIMENTO DE FÉRIAS", {"REQUERIMENTO ASSINADO", "CONTRACHEQUE"}},
    {"PEDIDO DE APOSENTADORIA", {"CÓPIA DO RG", "CÓPIA DO CPF", "CERTIDÃO DE TEMPO DE SERVIÇO", "CONTRACHEQUE"}},
    {"RESTITUIÇÃO DE TRIBUTOS", {"COMPROVANTE DE PAGAMENTO", "CÓPIA DO CPF", "DADOS BANCÁRIOS"}},
    {"DESMEMBRAMENTO DE LOTE", {"ESCRITURA DO IMÓVEL", "CROQUI DO LOTE", "PROCURAÇÃO"}},
};

struct Sector {
    const char *name;
    QStringList people;
};
const QVector<Sector> Sectors = {
    {"PROTOCOLO GERAL", {"MARIA DAS GRAÇAS LIMA", "JOSÉ RIBAMAR NUNES"}},
    {"SECRETARIA DE FINANÇAS", {"ANTÔNIO CARLOS ALVES", "LUCIANA DE MOURA", "PAULO ROBERTO GOMES"}},
    {"SECRETARIA DE OBRAS", {"FRANCISCO DAS CHAGAS", "RAIMUNDA PEREIRA"}},
    {"SECRETARIA DE ADMINISTRAÇÃO", {"CLÁUDIA ARAÚJO", "MARCOS VINÍCIUS SOUSA"}},
    {"GABINETE DO PREFEITO", {"TEREZINHA MARTINS", "DOMINGOS BARBOSA"}},
    {"ASSESSORIA JURÍDICA", {"FERNANDA CASTELO BRANCO", "PEDRO HENRIQUE RODRIGUES"}},
};

const QStringList Reasons = {"DESISTÊNCIA DO REQUERENTE", "DOCUMENTAÇÃO INCOMPLETA", "PEDIDO EM DUPLICIDADE"};

}  // namespace

DemoDataSeeder::DemoDataSeeder(QString databaseName, QString operatorCode)
    : DemoDataSeeder(std::move(databaseName), std::move(operatorCode), Sizes{}) {}

DemoDataSeeder::DemoDataSeeder(QString databaseName, QString operatorCode, Sizes sizes)
    : m_databaseName(std::move(databaseName)), m_operatorCode(std::move(operatorCode)), m_sizes(std::move(sizes)) {
    if (m_sizes.protocolsPerYear.isEmpty()) {
        const int year = Clock::today().year();
        m_sizes.protocolsPerYear.insert(year - 1, 170);
        m_sizes.protocolsPerYear.insert(year, 150);
    }
}

QString DemoDataSeeder::fill() {
    QRandomGenerator random(2014);
    auto pick = [&](const QStringList &list) { return list.at(int(random.bounded(qsizetype(list.size())))); };
    auto digits = [&](int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + random.bounded(10));
        return s;
    };

    Connection db;
    db.setDatabaseName(m_databaseName);
    const QDate today = Clock::today();

    // The administration itself.
    db.execute(QStringLiteral("insert into TBENTIDADE (CNPJ, PREFEITO, TESOUREIRO, ENDERECO, NUMERO, BAIRRO, CIDADE, "
                              "CEP, FONE, RESPONSAVEL_RELATORIO_1, RESPONSAVEL_RELATORIO_2, COMPLEMENTO, ESTADO, "
                              "CONFIG_SEQ_IMP) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {CnpjWithCheckDigits(QStringLiteral("065535640001")), QStringLiteral("JOÃO BATISTA DE CARVALHO"),
                QStringLiteral("MARIA JOSÉ DE SOUSA"), QStringLiteral("PRAÇA DA MATRIZ"), QStringLiteral("100"),
                QStringLiteral("CENTRO"), QStringLiteral("EXEMPLO"), QStringLiteral("64000-000"),
                QStringLiteral("(86) 3200-1000"), QStringLiteral("Funcionário(a) Emitente"),
                QStringLiteral("Tesoureiro(a) ou Ordenador da Despesa"), QStringLiteral("PRÉDIO"),
                QStringLiteral("PIAUÍ"), LabelSequenceSetting::SeparateByDocument});

    BulkWriter writer(db);
    const QString insertRequester = QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, CPF, CNPJ, NOME, ENDERECO, "
                                                 "NUMERO, CEP, TEL_CONTATO, EMAIL, MUNICIPIO, UF, COMPLEMENTO, BAIRRO) "
                                                 "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    // The first two companies were registered lately: their CNPJs take the
    // alphanumeric form, letters in place of the digits drawn for the root's
    // third to fifth characters (the draws, and so the rest of the data, stay
    // as they were).
    auto companyCnpj = [](QString root, int company) {
        if (company <= 2)
            for (int i = 2; i < 5; ++i)
                root[i] = QChar(u'A' + root.at(i).digitValue() + 2 * company);
        return CnpjWithCheckDigits(root + QStringLiteral("0001"));
    };
    {
        int companies = 0;
        for (int id = 1; id <= m_sizes.requesters; ++id) {
            const bool company = m_sizes.companyEvery > 0 && id % m_sizes.companyEvery == 0;
            if (company)
                ++companies;
            const QString name = company ? pick(Companies) + QLatin1Char(' ') + pick(Surnames) + QStringLiteral(" LTDA")
                                         : pick(FirstNames) + QLatin1Char(' ') + pick(Surnames);
            QString nine = digits(9);
            if (nine.count(nine.at(0)) == 9)
                nine[8] = QChar(u'0' + (nine.at(8).digitValue() + 1) % 10);
            const QString phone = QStringLiteral("(86) 9%1-%2").arg(digits(4), digits(4));
            writer.add(insertRequester, {id, company ? QVariant() : QVariant(CpfWithCheckDigits(nine)),
                            company ? QVariant(companyCnpj(digits(8), companies)) : QVariant(),
                            name, pick(Streets), QString::number(10 + random.bounded(1990)),
                            QStringLiteral("64%1-%2").arg(digits(3), digits(3)), phone,
                            id % 3 == 0 ? QVariant(QStringLiteral("contato%1@exemplo.com.br").arg(id)) : QVariant(),
                            QStringLiteral("EXEMPLO"), QStringLiteral("PI"), QVariant(), pick(Districts)});
        }
    }

    int requiredDocuments = 0;
    {
        const QString insertSubject = QStringLiteral("insert into TBASSUNTO (IDASSUNTO, DESCRICAO) values (?, ?)");
        const QString insertDocument = QStringLiteral(
            "insert into TBASSUNTO_DOCUMENTOS (IDASSUNTO_DOCUMENTO, NOMEDOCUMENTO, IDASSUNTO) values (?, ?, ?)");
        for (int s = 0; s < Subjects.size(); ++s) {
            writer.add(insertSubject, {s + 1, QString::fromUtf8(Subjects.at(s).name)});
            for (int d = 0; d < Subjects.at(s).documents.size(); ++d)
                writer.add(insertDocument, {d + 1, Subjects.at(s).documents.at(d), s + 1});
        }
        requiredDocuments = writer.count(insertDocument);
    }

    QVector<QPair<int, int>> responsibles;  // (code, sector)
    {
        const QString insertSector = QStringLiteral("insert into TBSETOR (IDSETOR, NOME) values (?, ?)");
        const QString insertPerson =
            QStringLiteral("insert into TBRESPONSAVEISPORSETOR (IDRESPONSAVEL, NOME, SETOR) values (?, ?, ?)");
        for (int s = 0; s < Sectors.size(); ++s) {
            writer.add(insertSector, {s + 1, QString::fromUtf8(Sectors.at(s).name)});
            for (const QString &person : Sectors.at(s).people) {
                responsibles << qMakePair(int(responsibles.size()) + 1, s + 1);
                writer.add(insertPerson, {int(responsibles.size()), person, s + 1});
            }
        }
    }

    int protocolCount = 0, cancelled = 0, archived = 0;
    const QString insertProtocol = QStringLiteral("insert into TBPROTOCOLO (IDPROTOCOLO, ANO, SOLICITANTE, ASSUNTO, "
                                            "DATADEENTRADA, STATUS, DESCRICAO) values (?, ?, ?, ?, ?, ?, ?)");
    const QString insertProtocolDocument = QStringLiteral("insert into TBDOCUMENTOS (IDDOCUMENTO, IDPROTOCOLO, ANO, NOMEDOCUMENTO, "
                                            "PAGINA) values (?, ?, ?, ?, ?)");
    const QString insertMovement = QStringLiteral("insert into TBMOVIMENTACAO (IDMOVIMENTACAO, IDPROTOCOLO, ANO, SETOR, "
                                            "RESPONSAVEL, DATA, HORA, SITUACAO, OBSERVACAO, SOPERADOR, SDATAMOV) "
                                            "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    QStringList perYear;
    for (auto it = m_sizes.protocolsPerYear.cbegin(); it != m_sizes.protocolsPerYear.cend(); ++it) {
        const int year = it.key();
        const int count = it.value();
        const QDate first(year, 1, 2);
        const QDate last = year == today.year() ? today : QDate(year, 12, 30);
        const qint64 span = std::max<qint64>(1, first.daysTo(last) + 1);
        QVector<QDate> dates;
        dates.reserve(count);
        for (int i = 0; i < count; ++i)
            dates << first.addDays(qint64(random.bounded(quint64(span))));
        std::sort(dates.begin(), dates.end());
        for (int i = 0; i < count; ++i) {
            const QString number = QString::number(i + 1).rightJustified(5, QLatin1Char('0'));
            const QString ano = QString::number(year);
            const int subject = int(random.bounded(Subjects.size()));
            const QString subjectName = QString::fromUtf8(Subjects.at(subject).name);
            QString status = ProtocolStatus::Active;
            QString description = QStringLiteral("REQUER %1 CONFORME DOCUMENTOS ANEXOS.").arg(subjectName);
            const bool old = dates.at(i).daysTo(today) > 240;
            const quint32 roll = random.bounded(100u);
            if (m_sizes.cancelAndArchive && roll < 6) {
                status = ProtocolStatus::Cancelled;
                description += QStringLiteral(" / ***** P R O T O C O L O  C A N C E L A D O ***** / MOTIVO: ") +
                               pick(Reasons) + QStringLiteral(" / DATA DO CANCELAMENTO: ") +
                               dates.at(i).addDays(3).toString(QStringLiteral("dd/MM/yyyy"));
                ++cancelled;
            } else if (m_sizes.cancelAndArchive && old && roll < 25) {
                status = ProtocolStatus::Archived;
                ++archived;
            }
            writer.add(insertProtocol, {number, ano, 1 + int(random.bounded(m_sizes.requesters)), subject + 1, dates.at(i), status,
                           description});
            const QStringList &docs = Subjects.at(subject).documents;
            for (int d = 0; d < docs.size(); ++d)
                writer.add(insertProtocolDocument, {d + 1, number, ano, docs.at(d), 1 + int(random.bounded(5))});
            const int moves = m_sizes.maxMovementsPerProtocol > 0
                                  ? int(random.bounded(m_sizes.maxMovementsPerProtocol + 1))
                                  : 0;
            QDate when = dates.at(i);
            for (int m = 0; m < moves; ++m) {
                when = std::min(today, when.addDays(qint64(random.bounded(6))));
                const auto &[responsible, sector] = responsibles.at(int(random.bounded(responsibles.size())));
                const QTime hour(8 + int(random.bounded(9)), int(random.bounded(60)));
                const bool undone = m_sizes.cancelAndArchive && random.bounded(100u) < 4;
                const QString remarks = undone ? QStringLiteral("ENCAMINHADO PARA ANÁLISE / ***** M O V I M E N T A Ç Ã O  "
                                                                "C A N C E L A D A ***** / MOTIVO: SETOR ERRADO / DATA DO "
                                                                "CANCELAMENTO: ") +
                                                     when.toString(QStringLiteral("dd/MM/yyyy"))
                                               : QStringLiteral("ENCAMINHADO PARA ANÁLISE");
                writer.add(insertMovement, {m + 1, number, ano, sector, responsible, when, hour,
                               undone ? MovementSituation::Cancelled : MovementSituation::Delivered, remarks,
                               m_operatorCode, when});
            }
        }
        protocolCount += count;
        perYear << QStringLiteral("%1 in %2").arg(count).arg(year);
    }
    writer.commit();

    return QStringLiteral("the entity, %1 requesters, %2 subjects with %3 required documents, %4 sectors with %5 "
                          "responsible persons, %6 protocols (%7; %8 cancelled, %9 archived) with %10 documents and "
                          "%11 movements")
        .arg(m_sizes.requesters)
        .arg(Subjects.size())
        .arg(requiredDocuments)
        .arg(Sectors.size())
        .arg(responsibles.size())
        .arg(protocolCount)
        .arg(perYear.join(QStringLiteral(", ")))
        .arg(cancelled)
        .arg(archived)
        .arg(writer.count(insertProtocolDocument))
        .arg(writer.count(insertMovement));
}

}  // namespace kalvero
