#include <QtTest>
class ReportEngineTest : public QObject { Q_OBJECT private slots: void none() {} };
QTEST_MAIN(ReportEngineTest)
#include "tst_report_engine.moc"
