#include <QtTest>
class ReportOutputTest : public QObject { Q_OBJECT private slots: void none() {} };
QTEST_MAIN(ReportOutputTest)
#include "tst_report_output.moc"
