#include "data/DateText.h"
#include "data/records/FieldFormat.h"

#include <QTime>
#include <QtTest>

using namespace kalvero;

class FieldFormatTest : public QObject {
    Q_OBJECT

private slots:
    void displayTexts_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("shown");
        const int text = int(FieldType::Text), integer = int(FieldType::Integer);
        QTest::newRow("code 000") << integer << "000" << "" << QVariant(7) << "007";
        QTest::newRow("code 00000") << integer << "00000" << "" << QVariant(123) << "00123";
        QTest::newRow("wider than format") << integer << "000" << "" << QVariant(1234) << "1234";
        QTest::newRow("cpf") << text << "" << "999\\.999\\.999\\-99;0;" << QVariant("52998224725") << "529.982.247-25";
        QTest::newRow("cnpj") << text << "" << "99\\.999\\.999\\/9999\\-99;0;" << QVariant("11222333000181")
                              << "11.222.333/0001-81";
        QTest::newRow("short cpf") << text << "" << "999\\.999\\.999\\-99;0;" << QVariant("5299") << "529.9";
        QTest::newRow("date") << int(FieldType::Date) << "" << "" << QVariant(QDate(2014, 3, 5)) << "05/03/2014";
        QTest::newRow("hour mask") << int(FieldType::Time) << "" << "!90:00;1;_" << QVariant(QTime(9, 5, 30)) << "09:05";
        QTest::newRow("empty") << integer << "000" << "" << QVariant() << "";
    }

    void displayTexts() {
        QFETCH(int, type);
        QFETCH(QString, format);
        QFETCH(QString, mask);
        QFETCH(QVariant, value);
        QFETCH(QString, shown);
        FieldDef f;
        f.type = FieldType(type);
        f.displayFormat = format;
        f.editMask = mask;
        QCOMPARE(FieldFormat::displayText(f, value), shown);
    }

    void dateTexts() {
        const QString d = QStringLiteral("05/03/2014");
        QCOMPARE(DateText::year(d), QStringLiteral("2014"));
        QCOMPARE(DateText::monthDayYear(d), QStringLiteral("03/05/2014"));
        QCOMPARE(DateText::yearMonthDay(d), QStringLiteral("2014/03/05"));
        QCOMPARE(DateText::fromDate(QDate(2014, 3, 5)), d);
        QCOMPARE(DateText::toDate(d), QDate(2014, 3, 5));
        QVERIFY(!DateText::toDate(QStringLiteral("31/02/2014")).isValid());
    }
};

QTEST_GUILESS_MAIN(FieldFormatTest)
#include "tst_field_format.moc"
