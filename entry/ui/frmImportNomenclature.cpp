#include "entry/ui/frmImportNomenclature.h"

#include "base/Prompter.h"
#include "base/ui/KeepOnTop.h"
#include "entry/nomenclature/NomenclatureImportJob.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString Waiting = QStringLiteral("Alegeti fisierele si apasati Importa.");

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}
} // namespace

frmImportNomenclature::frmImportNomenclature(const QString& dataFolder, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dataFolder(dataFolder), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmImportNomenclature"));
    setWindowTitle(QStringLiteral("Import nomenclator"));
    setModal(true);

    txtSiruta = new QLineEdit(this);
    txtSiruta->setObjectName(QStringLiteral("txtSiruta"));
    cmdSiruta = makeButton(QStringLiteral("..."), QStringLiteral("cmdSiruta"), this);
    lstStreets = new QListWidget(this);
    lstStreets->setObjectName(QStringLiteral("lstStreets"));
    lstStreets->setMaximumHeight(lstStreets->fontMetrics().height() * 5 + 8);
    cmdAddStreets = makeButton(QStringLiteral("Adauga..."), QStringLiteral("cmdAddStreets"), this);
    cmdRemoveStreets = makeButton(QStringLiteral("Sterge"), QStringLiteral("cmdRemoveStreets"), this);
    txtPosta = new QLineEdit(this);
    txtPosta->setObjectName(QStringLiteral("txtPosta"));
    cmdPosta = makeButton(QStringLiteral("..."), QStringLiteral("cmdPosta"), this);

    auto* sources = new QGridLayout;
    sources->addWidget(new QLabel(QStringLiteral("Fisierul SIRUTA (CSV)"), this), 0, 0);
    sources->addWidget(txtSiruta, 0, 1);
    sources->addWidget(cmdSiruta, 0, 2);
    sources->addWidget(new QLabel(QStringLiteral("Strazi pe judete (dosare MFP)"), this), 1, 0, Qt::AlignTop);
    sources->addWidget(lstStreets, 1, 1);
    auto* streetButtons = new QVBoxLayout;
    streetButtons->addWidget(cmdAddStreets);
    streetButtons->addWidget(cmdRemoveStreets);
    streetButtons->addStretch();
    sources->addLayout(streetButtons, 1, 2);
    sources->addWidget(new QLabel(QStringLiteral("Strazi Bucuresti (JSON Posta)"), this), 2, 0);
    sources->addWidget(txtPosta, 2, 1);
    sources->addWidget(cmdPosta, 2, 2);
    sources->setColumnStretch(1, 1);

    auto* target = new QLabel(QStringLiteral("Tabelele se scriu in dosarul ") + QDir::toNativeSeparators(m_dataFolder) +
                                  QStringLiteral(" si le inlocuiesc pe cele existente."),
                              this);
    target->setWordWrap(true);
    lblStage = new QLabel(Waiting, this);
    lblStage->setObjectName(QStringLiteral("lblStage"));
    prgImport = new QProgressBar(this);
    prgImport->setObjectName(QStringLiteral("prgImport"));
    prgImport->setRange(0, 100);
    prgImport->setValue(0);

    cmdImport = makeButton(QStringLiteral("Importa"), QStringLiteral("cmdImport"), this);
    cmdImport->setDefault(true);
    cmdExit = makeButton(QStringLiteral("Iesire"), QStringLiteral("cmdExit"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdImport);
    buttons->addWidget(cmdExit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sources);
    layout->addWidget(target);
    layout->addSpacing(6);
    layout->addWidget(lblStage);
    layout->addWidget(prgImport);
    layout->addLayout(buttons);
    resize(620, sizeHint().height());

    connect(cmdSiruta, &QPushButton::clicked, this, [this] {
        chooseFile(txtSiruta, QStringLiteral("Alegeti fisierul SIRUTA"), QStringLiteral("Fisiere CSV|*.CSV|"));
    });
    connect(cmdAddStreets, &QPushButton::clicked, this, &frmImportNomenclature::addStreetFolder);
    connect(cmdRemoveStreets, &QPushButton::clicked, this, &frmImportNomenclature::removeStreetFolder);
    connect(cmdPosta, &QPushButton::clicked, this, [this] {
        chooseFile(txtPosta, QStringLiteral("Alegeti fisierul postal al Bucurestiului"),
                   QStringLiteral("Fisiere JSON|*.JSON|"));
    });
    connect(cmdImport, &QPushButton::clicked, this, &frmImportNomenclature::startImport);
    connect(cmdExit, &QPushButton::clicked, this, &frmImportNomenclature::reject);
    // Opened from the options dialog, which stays on top: so must this one, or it hides behind.
    keepOnTop(this, true);
}

frmImportNomenclature::~frmImportNomenclature() = default;

bool frmImportNomenclature::isRunning() const
{
    return m_job && m_job->isRunning();
}

void frmImportNomenclature::remember(const QString& path)
{
    // The sources of one semester usually sit together: the next dialog starts beside the last.
    const QFileInfo info(path);
    m_lastFolder = info.isDir() ? info.absolutePath() : info.absoluteDir().path();
}

void frmImportNomenclature::chooseFile(QLineEdit* field, const QString& caption, const QString& filter)
{
    const QString path = m_prompter.openFileName(caption, filter, m_lastFolder);
    if (path.isEmpty())
        return;
    field->setText(QDir::toNativeSeparators(path));
    remember(path);
}

void frmImportNomenclature::addStreetFolder()
{
    const QString folder =
        m_prompter.folderName(QStringLiteral("Alegeti dosarul cu strazile unui judet"), m_lastFolder);
    if (folder.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(QDir::cleanPath(folder));
    if (lstStreets->findItems(shown, Qt::MatchExactly).isEmpty())
        lstStreets->addItem(shown);
    remember(folder);
}

void frmImportNomenclature::removeStreetFolder()
{
    const int row = lstStreets->currentRow();
    if (row >= 0)
        delete lstStreets->takeItem(row);
}

void frmImportNomenclature::startImport()
{
    if (isRunning())
        return;
    NomenclatureSources sources;
    sources.sirutaFile = QDir::fromNativeSeparators(txtSiruta->text().trimmed());
    if (sources.sirutaFile.isEmpty()) {
        m_prompter.error(QStringLiteral("Alegeti fisierul SIRUTA."));
        return;
    }
    for (int row = 0; row < lstStreets->count(); ++row)
        sources.streetFolders << QDir::fromNativeSeparators(lstStreets->item(row)->text());
    sources.postalFile = QDir::fromNativeSeparators(txtPosta->text().trimmed());

    delete m_job;
    m_job = new NomenclatureImportJob(sources, m_dataFolder, this);
    connect(m_job, &NomenclatureImportJob::progressed, this, [this](int percent, const QString& stage) {
        prgImport->setValue(percent);
        lblStage->setText(stage);
    });
    connect(m_job, &NomenclatureImportJob::finished, this, &frmImportNomenclature::importFinished);
    setBusy(true);
    prgImport->setValue(0);
    m_job->start();
}

void frmImportNomenclature::importFinished(bool succeeded)
{
    setBusy(false);
    if (succeeded) {
        m_imported = true;
        m_prompter.info(m_job->summary().text());
        emit importEnded(true);
        accept();
        return;
    }
    prgImport->setValue(0);
    lblStage->setText(Waiting);
    m_prompter.error(QStringLiteral("Importul nomenclatorului nu a reusit; tabelele din dosarul Data au ramas "
                                    "neschimbate.\r") +
                     m_job->error().text());
    emit importEnded(false);
}

void frmImportNomenclature::setBusy(bool busy)
{
    for (QWidget* control :
         {static_cast<QWidget*>(txtSiruta), static_cast<QWidget*>(cmdSiruta), static_cast<QWidget*>(lstStreets),
          static_cast<QWidget*>(cmdAddStreets), static_cast<QWidget*>(cmdRemoveStreets),
          static_cast<QWidget*>(txtPosta), static_cast<QWidget*>(cmdPosta), static_cast<QWidget*>(cmdImport),
          static_cast<QWidget*>(cmdExit)})
        control->setEnabled(!busy);
}

void frmImportNomenclature::reject()
{
    // Escape and the close box wait for the import: it cannot be stopped half way through the
    // replacement of the tables.
    if (isRunning())
        return;
    QDialog::reject();
}
