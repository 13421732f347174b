#include "registries/UCpfCnpj.h"

#include <QtTest>

using namespace kalvero;

class CpfCnpjTest : public QObject {
    Q_OBJECT

private slots:
    void cpf_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("valid") << "52998224725" << true;
        QTest::newRow("valid, second") << "11144477735" << true;
        QTest::newRow("check digit 0 from remainder 0 or 1") << "00000000191" << true;
        QTest::newRow("wrong first check digit") << "52998224735" << false;
        QTest::newRow("wrong second check digit") << "52998224726" << false;
        QTest::newRow("check digits swapped") << "52998224752" << false;
        QTest::newRow("listed though correct") << "12345678909" << false;
        for (char d = '0'; d <= '9'; ++d)
            QTest::newRow(qPrintable(QStringLiteral("repeated %1").arg(d))) << QString(11, QLatin1Char(d)) << false;
        QTest::newRow("with its punctuation") << "529.982.247-25" << false;
        QTest::newRow("a skipped position") << "529 8224725" << false;
        QTest::newRow("ten digits") << "5299822472" << false;
        QTest::newRow("twelve digits") << "529982247250" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("letters") << "5299822472A" << false;
        QTest::newRow("other digits than ASCII") << QString::fromUtf8("٥٢٩٩٨٢٢٤٧٢٥") << false;
    }
    void cpf() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(CpfIsValid(text), valid);
    }

    void cnpj_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("valid") << "11222333000181" << true;
        QTest::newRow("valid, second") << "04548151000130" << true;
        QTest::newRow("wrong first check digit") << "11222333000191" << false;
        QTest::newRow("wrong second check digit") << "11222333000182" << false;
        QTest::newRow("zeros, correct check digits but listed") << "00000000000000" << false;
        for (char d = '1'; d <= '9'; ++d)
            QTest::newRow(qPrintable(QStringLiteral("repeated %1").arg(d))) << QString(14, QLatin1Char(d)) << false;
        QTest::newRow("with its punctuation (18 characters)") << "11.222.333/0001-81" << false;
        QTest::newRow("a skipped position") << "11222 33000181" << false;
        QTest::newRow("ten digits") << "1122233300" << false;
        QTest::newRow("a CPF") << "52998224725" << false;
        QTest::newRow("empty") << "" << false;
        // The alphanumeric form: letters worth their code less 48 ("A" 17).
        QTest::newRow("alphanumeric, the Receita's example") << "12ABC34501DE35" << true;
        QTest::newRow("alphanumeric, wrong first check digit") << "12ABC34501DE45" << false;
        QTest::newRow("alphanumeric, wrong second check digit") << "12ABC34501DE36" << false;
        QTest::newRow("a letter in the first check position") << "12ABC34501DEA5" << false;
        QTest::newRow("a letter in the second check position") << "12ABC34501DE3A" << false;
        QTest::newRow("alphanumeric, 13 characters") << "12ABC34501DE3" << false;
        QTest::newRow("alphanumeric, 15 characters") << "12ABC34501DE350" << false;
        QTest::newRow("alphanumeric in lower case") << "12abc34501de35" << false;
        QTest::newRow("alphanumeric with its punctuation") << "12.ABC.345/01DE-35" << false;
        QTest::newRow("a letter outside A to Z") << QString::fromUtf8("12ÇBC34501DE35") << false;
        QTest::newRow("all letters, judged by its check digits") << "AAAAAAAAAAAA45" << true;
        QTest::newRow("all letters, wrong check digit") << "AAAAAAAAAAAA46" << false;
    }
    void cnpj() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(CnpjIsValid(text), valid);
    }

    void numbersMadeWithTheirCheckDigitsAreValid() {
        QCOMPARE(CpfWithCheckDigits(QStringLiteral("529982247")), QStringLiteral("52998224725"));
        QCOMPARE(CnpjWithCheckDigits(QStringLiteral("112223330001")), QStringLiteral("11222333000181"));
        for (const char *body : {"000000001", "111444777", "935411347", "100000000"})
            QVERIFY2(CpfIsValid(CpfWithCheckDigits(QLatin1String(body))), body);
        for (const char *body : {"045481510001", "000000000001", "987654320001", "12ABC34501DE", "ZZZZZZZZZZZZ"})
            QVERIFY2(CnpjIsValid(CnpjWithCheckDigits(QLatin1String(body))), body);
        QCOMPARE(CnpjWithCheckDigits(QStringLiteral("12ABC34501DE")), QStringLiteral("12ABC34501DE35"));
        // A body that is no CNPJ's gets no check digits.
        QCOMPARE(CnpjWithCheckDigits(QStringLiteral("12abc34501de")), QStringLiteral("12abc34501de"));
    }
};

QTEST_APPLESS_MAIN(CpfCnpjTest)
#include "tst_cpf_cnpj.moc"
