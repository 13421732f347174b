#pragma once

#include <QString>

namespace kalvero {

// What the whole process shares for one run: filled at login and by the main
// window, read by every screen and report, never saved.
struct SessionState {
    QString ProgramFolder;   // folder of the executable, trailing "/"
    QString ServerAddress;   // empty: the embedded engine
    QString OperatorCode;    // OPERACAO.USUARIO
    QString OperatorName;    // OPERACAO.NOME
    QString UnitCode;        // ACESSO.CODIGO
    QString UnitLabel;       // CODIGO + "-" + PREFEITURA
    QString UnitFolder;      // ACESSO.CAMINHO, as the server sees it
    QString ProgramVersion;
    QString RightsNotice;    // footer line of the reports
    QString EntityCity;
    QString StateText;       // "ESTADO DE " + name, ...
    int LabelSequence = 0;   // TBENTIDADE.CONFIG_SEQ_IMP

    // Hand-over codes from a registry to the screen that opened it.
    int LastSavedRequesterCode = 0;
    int LastSavedSubjectCode = 0;
    int LastSavedSectorCode = 0;
    int LastSavedResponsibleCode = 0;

    // The reason the cancellation dialog handed back the last time; empty
    // when it was abandoned.
    QString CancellationReason;

    QString MovementReportTitle;
    QString PeriodStartText;
    QString PeriodEndText;

    // The unit's name as reports print it: the label without "07-".
    QString unitNameForReports() const { return UnitLabel.mid(3); }
};

// The one instance of the process.
extern SessionState Session;

}  // namespace kalvero
