#pragma once

#include "backup/BackupPlace.h"

#include <QDateTime>
#include <QDialog>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace kalvero {

class TDM;
class TUDMCadastro;
struct SessionState;

// The backup screen: archives the unit's database into its Backup folder and
// puts an archive's database back in its place. The unit connection stays
// closed while the window is open; when it closes, the unit is opened again
// as the login opens it, so that a database restored from an older archive
// is brought up to date. The work runs beside the window, which
// shows its progress and stays responsive.
class TFrmBakcup : public QDialog {
    Q_OBJECT
public:
    struct Settings {
        std::function<QDateTime()> now;               // the program's clock unless given
        QString networkRoot = BackupPlace::NetworkRoot;  // where a remote server's folder is reached
    };

    TFrmBakcup(TUDMCadastro &data, SessionState &session, QWidget *parent = nullptr);
    TFrmBakcup(TUDMCadastro &data, SessionState &session, Settings settings, QWidget *parent = nullptr);
    ~TFrmBakcup() override;

    void done(int result) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void chooseMode();
    void fillArchiveList();
    void criarBackup();
    void restaurarBackup();
    void fechar();
    bool reachBackupFolder();
    // Runs work beside the window, showing its progress; rethrows its failure.
    void runBeside(const std::function<void(const std::function<void(int)> &progress)> &work);

    TUDMCadastro &m_data;
    TDM &m_unit;
    SessionState &m_session;
    Settings m_settings;
    bool m_busy = false;

    QString m_serverAddress;
    QString m_backupFolder;
    QString m_archiveName;

    QLabel *Image1;
    QGroupBox *RadioGroup1;
    QRadioButton *rbCriarBackup;
    QRadioButton *rbRestaurarBackup;
    QLabel *lblCaminho;
    QPushButton *btnCriarBackup;
    QComboBox *cbArquivos;
    QPushButton *btnRestaurarBackup;
    QProgressBar *ProgressBar1;
    QPushButton *btnFechar;
};

}  // namespace kalvero
