#include "UnitSchema.h"

#include "../firebird/Connection.h"

namespace kalvero {

namespace {

QVector<TableDefinition> makeTemplateTables() {
    QVector<TableDefinition> t;

    TableDefinition solicitante{QStringLiteral("TBSOLICITANTE"),
                          {
                              {"IDSOLICITANTE", "INTEGER", true, "Código", "00000", "", 6},
                              {"CPF", "VARCHAR(11)", false, "", "", "999\\.999\\.999\\-99;0;", 15},
                              {"CNPJ", "VARCHAR(14)", false, "", "", "99\\.999\\.999\\/9999\\-99;0;", 18},
                              {"NOME", "VARCHAR(80)", true, "Nome", "", "", 53},
                              {"ENDERECO", "VARCHAR(80)", false, "", "", "", 0, true},
                              {"NUMERO", "VARCHAR(10)", false, "", "", "", 0, true},
                              {"CEP", "VARCHAR(10)", false, "", "", "", 0, true},
                              {"TEL_CONTATO", "VARCHAR(15)", false, "", "", "", 0, true},
                              {"EMAIL", "VARCHAR(80)", false, "", "", "", 0, true},
                              {"MUNICIPIO", "VARCHAR(80)", false, "", "", "", 0, true},
                              {"UF", "VARCHAR(2)", false, "", "", "", 0, true},
                              {"COMPLEMENTO", "VARCHAR(40)", false, "", "", "", 0, true},
                              {"BAIRRO", "VARCHAR(45)", false, "", "", "", 0, true},
                          },
                          {"IDSOLICITANTE"}};
    solicitante.indexes = {{"IX_TBSOLICITANTE_ID_DESC", {"IDSOLICITANTE"}, true},
                           {"IX_TBSOLICITANTE_NOME", {"NOME"}, false},
                           // A requester's protocols found by the number at the desk.
                           {"IX_TBSOLICITANTE_CPF", {"CPF"}, false},
                           {"IX_TBSOLICITANTE_CNPJ", {"CNPJ"}, false}};
    t << solicitante;

    TableDefinition assunto{QStringLiteral("TBASSUNTO"),
                      {
                          {"IDASSUNTO", "INTEGER", true, "Código", "000", "", 7},
                          {"DESCRICAO", "VARCHAR(80)", true, "Descrição", "", "", 90},
                      },
                      {"IDASSUNTO"}};
    assunto.indexes = {{"IX_TBASSUNTO_ID_DESC", {"IDASSUNTO"}, true}};
    t << assunto;

    TableDefinition assuntoDocs{QStringLiteral("TBASSUNTO_DOCUMENTOS"),
                          {
                              {"IDASSUNTO_DOCUMENTO", "INTEGER", true, "ID do Documento", "000"},
                              {"NOMEDOCUMENTO", "VARCHAR(80)", true, "Nome do Documento", "", "", 62},
                              {"IDASSUNTO", "INTEGER", true, "Cód. Assunto", "000", "", 8},
                          },
                          {"IDASSUNTO", "IDASSUNTO_DOCUMENTO"}};
    assuntoDocs.foreignKeys = {{"FK_ASSUNTODOC_ASSUNTO", {"IDASSUNTO"}, "TBASSUNTO", {"IDASSUNTO"}}};
    assuntoDocs.indexes = {{"IX_TBASSUNTO_DOC_DESC", {"IDASSUNTO", "IDASSUNTO_DOCUMENTO"}, true}};
    t << assuntoDocs;

    TableDefinition setor{QStringLiteral("TBSETOR"),
                    {
                        {"IDSETOR", "INTEGER", true, "Código", "000", "", 6},
                        {"NOME", "VARCHAR(45)", true, "Nome", "", "", 91},
                    },
                    {"IDSETOR"}};
    setor.indexes = {{"IX_TBSETOR_ID_DESC", {"IDSETOR"}, true}};
    t << setor;

    TableDefinition responsaveis{QStringLiteral("TBRESPONSAVEISPORSETOR"),
                           {
                               {"IDRESPONSAVEL", "INTEGER", true, "Código", "000", "", 6},
                               {"NOME", "VARCHAR(45)", true, "Nome", "", "", 69},
                               {"SETOR", "INTEGER", true, "Código do Setor", "000"},
                           },
                           {"IDRESPONSAVEL"}};
    responsaveis.foreignKeys = {{"FK_RESPONSAVEL_SETOR", {"SETOR"}, "TBSETOR", {"IDSETOR"}}};
    responsaveis.indexes = {{"IX_TBRESPONSAVEIS_ID_DESC", {"IDRESPONSAVEL"}, true}};
    t << responsaveis;

    TableDefinition protocolo{QStringLiteral("TBPROTOCOLO"),
                        {
                            {"IDPROTOCOLO", "VARCHAR(5)", true, "Protocolo"},
                            {"ANO", "VARCHAR(4)", true, "Ano", "", "", 6},
                            {"SOLICITANTE", "INTEGER", true, "", "000", "", 10, true},
                            {"ASSUNTO", "INTEGER", true, "", "000", "", 0, true},
                            {"DATADEENTRADA", "DATE", true, "Entrada", "", "", 12},
                            {"STATUS", "VARCHAR(1)", true, "Status", "", "", 10, true},
                            {"DESCRICAO", "VARCHAR(500)", true, "Descrição", "", "", 0, true},
                        },
                        {"IDPROTOCOLO", "ANO"}};
    protocolo.foreignKeys = {
        {"FK_PROTOCOLO_SOLICITANTE", {"SOLICITANTE"}, "TBSOLICITANTE", {"IDSOLICITANTE"}},
        {"FK_PROTOCOLO_ASSUNTO", {"ASSUNTO"}, "TBASSUNTO", {"IDASSUNTO"}},
    };
    // The next number of a year reads one entry of this index, backwards.
    protocolo.indexes = {{"IX_TBPROTOCOLO_ANO_ID_DESC", {"ANO", "IDPROTOCOLO"}, true},
                         {"IX_TBPROTOCOLO_ENTRADA", {"DATADEENTRADA"}, false},
                         {"IX_TBPROTOCOLO_STATUS", {"STATUS"}, false}};
    t << protocolo;

    TableDefinition documentos{QStringLiteral("TBDOCUMENTOS"),
                         {
                             {"IDDOCUMENTO", "INTEGER", true, "Código", "000", "", 6},
                             {"IDPROTOCOLO", "VARCHAR(5)", true, "Protocolo", "", "", 6},
                             {"ANO", "VARCHAR(4)", true, "Ano", "", "", 5},
                             {"NOMEDOCUMENTO", "VARCHAR(80)", true, "Documento", "", "", 57},
                             {"PAGINA", "INTEGER", false, "Qtd de Páginas"},
                         },
                         {"IDPROTOCOLO", "ANO", "IDDOCUMENTO"}};
    documentos.foreignKeys = {
        {"FK_DOCUMENTOS_PROTOCOLO", {"IDPROTOCOLO", "ANO"}, "TBPROTOCOLO", {"IDPROTOCOLO", "ANO"}}};
    documentos.indexes = {{"IX_TBDOCUMENTOS_ID_DESC", {"IDPROTOCOLO", "ANO", "IDDOCUMENTO"}, true}};
    t << documentos;

    TableDefinition movimentacao{QStringLiteral("TBMOVIMENTACAO"),
                           {
                               {"IDMOVIMENTACAO", "INTEGER", true, "Código", "000", "", 4},
                               {"IDPROTOCOLO", "VARCHAR(5)", true, "Protocolo", "", "", 0, true},
                               {"ANO", "VARCHAR(4)", true, "Ano", "", "", 0, true},
                               {"SETOR", "INTEGER", true, "Setor", "000", "", 0, true},
                               {"RESPONSAVEL", "INTEGER", false, "Responsável", "", "", 20, true},
                               {"DATA", "DATE", true, "Data", "", "", 12},
                               {"HORA", "TIME", true, "Hora", "", "!90:00;1;_"},
                               {"SITUACAO", "VARCHAR(1)", true, "Situação", "", "", 0, true},
                               {"OBSERVACAO", "VARCHAR(500)", false, "", "", "", 0, true},
                               {"SOPERADOR", "VARCHAR(4)", true, "", "", "", 0, true},
                               {"SDATAMOV", "DATE", true, "", "", "", 0, true},
                           },
                           {"IDPROTOCOLO", "ANO", "IDMOVIMENTACAO"}};
    movimentacao.foreignKeys = {
        {"FK_MOVIMENTACAO_PROTOCOLO", {"IDPROTOCOLO", "ANO"}, "TBPROTOCOLO", {"IDPROTOCOLO", "ANO"}},
        {"FK_MOVIMENTACAO_SETOR", {"SETOR"}, "TBSETOR", {"IDSETOR"}},
        {"FK_MOVIMENTACAO_RESPONSAVEL", {"RESPONSAVEL"}, "TBRESPONSAVEISPORSETOR", {"IDRESPONSAVEL"}},
    };
    movimentacao.indexes = {{"IX_TBMOVIMENTACAO_ID_DESC", {"IDPROTOCOLO", "ANO", "IDMOVIMENTACAO"}, true}};
    t << movimentacao;

    TableDefinition entidade{QStringLiteral("TBENTIDADE"),
                       {
                           {"CNPJ", "VARCHAR(14)", true},
                           {"PREFEITO", "VARCHAR(40)", true},
                           {"TESOUREIRO", "VARCHAR(40)", true},
                           {"ENDERECO", "VARCHAR(40)"},
                           {"NUMERO", "VARCHAR(6)"},
                           {"BAIRRO", "VARCHAR(20)"},
                           {"CIDADE", "VARCHAR(20)"},
                           {"CEP", "VARCHAR(9)"},
                           {"FONE", "VARCHAR(20)"},
                           {"RESPONSAVEL_RELATORIO_1", "VARCHAR(50)"},
                           {"RESPONSAVEL_RELATORIO_2", "VARCHAR(50)"},
                           {"COMPLEMENTO", "VARCHAR(15)"},
                           {"ESTADO", "VARCHAR(30)"},
                           {"CONFIG_SEQ_IMP", "INTEGER"},
                       },
                       {}};
    t << entidade;
    return t;
}

TableDefinition makeLabelScratchTable() {
    return TableDefinition{QStringLiteral("TBREL_AUX"),
                     {
                         {"OPERADOR", "CHAR(4)"},
                         {"TIPOREL", "INTEGER"},
                         {"IDPROTOCOLO", "VARCHAR(5)"},
                         {"ANO", "VARCHAR(4)"},
                         {"DATAENTRADA", "DATE"},
                         {"NOMEDOCUMENTO", "VARCHAR(80)"},
                         {"PAG_ATUAL", "INTEGER"},
                         {"PAG_TOTAL", "INTEGER"},
                     },
                     {}};
}

}  // namespace

namespace UnitSchema {

const QVector<TableDefinition> &templateTables() {
    static const QVector<TableDefinition> tables = makeTemplateTables();
    return tables;
}

const TableDefinition &labelScratchTable() {
    static const TableDefinition table = makeLabelScratchTable();
    return table;
}

const ColumnCatalogue &catalogue() {
    static const ColumnCatalogue catalogue = [] {
        QVector<const TableDefinition *> tables;
        for (const TableDefinition &t : templateTables())
            tables << &t;
        tables << &labelScratchTable();
        return ColumnCatalogue(tables);
    }();
    return catalogue;
}

const TableDefinition *table(const QString &name) { return catalogue().table(name); }

QString createLabelScratchTableStatement() {
    return QStringLiteral(
        "CREATE TABLE TBREL_AUX (  OPERADOR       CHAR(4), TIPOREL        INTEGER,  IDPROTOCOLO    VARCHAR(5), "
        "ANO            VARCHAR(4),  DATAENTRADA    DATE, NOMEDOCUMENTO  VARCHAR(80),  PAG_ATUAL      INTEGER, "
        "PAG_TOTAL      INTEGER);");
}

QString addLabelSequenceColumnStatement() { return QStringLiteral("ALTER TABLE TBENTIDADE ADD CONFIG_SEQ_IMP INTEGER"); }

QString resetLabelSequenceStatement() { return QStringLiteral("update TBENTIDADE set CONFIG_SEQ_IMP = 0"); }

void createTemplateTables(Connection &connection) {
    for (const TableDefinition &t : templateTables())
        connection.execute(t.createStatement());
    for (const TableDefinition &t : templateTables())
        for (const QString &statement : t.constraintStatements())
            connection.execute(statement);
}

}  // namespace UnitSchema

QString ProtocolStatus::text(const QString &code) {
    if (code == Active)
        return QStringLiteral("ATIVO");
    if (code == Cancelled)
        return QStringLiteral("CANCELADO");
    if (code == Archived)
        return QStringLiteral("ARQUIVADO");
    return QString();
}

QString MovementSituation::text(const QString &code) {
    if (code == Delivered)
        return QStringLiteral("ENTREGUE");
    if (code == Cancelled)
        return QStringLiteral("CANCELADO");
    return QString();
}

}  // namespace kalvero
