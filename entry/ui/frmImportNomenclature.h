#pragma once

#include <QDialog>

class NomenclatureImportJob;
class Prompter;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

// The window in which the surveyor imports a new national nomenclature into the Data folder:
// the SIRUTA register, optionally the street folders of some counties and the Bucharest postal
// index. The import runs on a worker thread while the bar shows its stage; the window cannot be
// closed until it ends. A failed import leaves the Data folder as it was and the window open.
class frmImportNomenclature : public QDialog
{
    Q_OBJECT
public:
    frmImportNomenclature(const QString& dataFolder, Prompter& prompter, QWidget* parent = nullptr);
    ~frmImportNomenclature() override;

    // True once an import has written new tables.
    bool imported() const { return m_imported; }
    bool isRunning() const;

    QLineEdit* txtSiruta;
    QPushButton* cmdSiruta;
    QListWidget* lstStreets;
    QPushButton* cmdAddStreets;
    QPushButton* cmdRemoveStreets;
    QLineEdit* txtPosta;
    QPushButton* cmdPosta;
    QLabel* lblStage;
    QProgressBar* prgImport;
    QPushButton* cmdImport;
    QPushButton* cmdExit;

signals:
    // After the closing message of an import.
    void importEnded(bool succeeded);

protected:
    void reject() override;

private:
    void chooseFile(QLineEdit* field, const QString& caption, const QString& filter);
    void addStreetFolder();
    void removeStreetFolder();
    void startImport();
    void importFinished(bool succeeded);
    void setBusy(bool busy);
    void remember(const QString& path);

    QString m_dataFolder;
    Prompter& m_prompter;
    NomenclatureImportJob* m_job = nullptr;
    QString m_lastFolder;
    bool m_imported = false;
};
