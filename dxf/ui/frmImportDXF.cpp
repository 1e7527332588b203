#include "dxf/ui/frmImportDXF.h"

#include "base/ui/KeepOnTop.h"
#include "dxf/ui/DxfMapWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QWidget* page(const QString& heading, const QString& instruction, QVBoxLayout** body)
{
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    auto* title = new QLabel(heading);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    title->setFont(font);
    layout->addWidget(title);
    auto* note = new QLabel(instruction);
    note->setWordWrap(true);
    layout->addWidget(note);
    *body = layout;
    return widget;
}

QPushButton* button(const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    return b;
}

} // namespace

frmImportDXF::frmImportDXF(Prompter& prompter, const QString& programFolder, QWidget* parent)
    : QDialog(parent), m_wizard(prompter, programFolder)
{
    setObjectName(QStringLiteral("frmImportDXF"));
    setWindowTitle(QStringLiteral("Import fisier .DXF"));
    buildPages();

    m_wizard.progress.started = [this](const QString& label) {
        lblImportedEntities->setText(label);
        lblImportedEntities->show();
        prBarImport->setRange(0, 100);
        prBarImport->setValue(0);
        prBarImport->show();
        if (label.isEmpty() && !m_busyCursor) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_busyCursor = true;
        }
        m_repaintClock.start();
        progressStep();
    };
    m_wizard.progress.polyline = [this](int count) {
        // One event per polyline; the label and the repaint follow at most every 50 ms, or
        // a sector drawing of 100,000 polylines would spend its time repainting.
        if (m_repaintClock.elapsed() < 50)
            return;
        lblImportedEntities->setText(QStringLiteral("Entitati importate : ") + QString::number(count));
        progressStep();
    };
    m_wizard.progress.step = [this] {
        if (m_repaintClock.elapsed() >= 50)
            progressStep();
    };
    m_wizard.progress.stopped = [this] {
        prBarImport->hide();
        lblImportedEntities->hide();
        if (m_busyCursor) {
            QApplication::restoreOverrideCursor();
            m_busyCursor = false;
        }
    };
    refresh(true);
}

frmImportDXF::~frmImportDXF() = default;

void frmImportDXF::progressStep()
{
    // The bar cycles: past its maximum it starts again from the minimum.
    prBarImport->setValue(prBarImport->value() < prBarImport->maximum() ? prBarImport->value() + 1
                                                                        : prBarImport->minimum());
    m_repaintClock.restart();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmImportDXF::buildPages()
{
    auto* outer = new QVBoxLayout(this);
    tabWizard = new QTabWidget;
    tabWizard->setObjectName(QStringLiteral("tabWizard"));
    // Pages change only through the buttons.
    tabWizard->tabBar()->setAttribute(Qt::WA_TransparentForMouseEvents);
    tabWizard->tabBar()->setFocusPolicy(Qt::NoFocus);
    outer->addWidget(tabWizard);

    QVBoxLayout* body = nullptr;
    QWidget* p0 = page(QStringLiteral(" Selectarea Fisierului .DXF"),
                       QStringLiteral("Selectati fisierul .DXF pentru a importa datele"), &body);
    auto* row = new QHBoxLayout;
    txtOpenFile = new QLineEdit;
    txtOpenFile->setObjectName(QStringLiteral("txtOpenFile"));
    txtOpenFile->setReadOnly(true);
    cmdOpenFile = button(QStringLiteral("cmdOpenFile"), QStringLiteral("..."));
    row->addWidget(txtOpenFile);
    row->addWidget(cmdOpenFile);
    body->addLayout(row);
    lblNote = new QLabel;
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    body->addWidget(lblNote);
    body->addStretch();
    tabWizard->addTab(p0, QStringLiteral("Pasul 1"));

    QWidget* p1 = page(QStringLiteral("Selectarea Entitatii Asociate Terenului"),
                       QStringLiteral("Selectati stratul corespunzator poliliniei asociate terenului"), &body);
    cmbLayers = new QComboBox;
    cmbLayers->setObjectName(QStringLiteral("cmbLayers"));
    cmbLayers->setPlaceholderText(QStringLiteral("Alegeti stratul ..."));
    body->addWidget(cmbLayers);
    row = new QHBoxLayout;
    lstEntities = new QListWidget;
    lstEntities->setObjectName(QStringLiteral("lstEntities"));
    lstEntities->setUniformItemSizes(true);
    lstEntities->setMaximumWidth(180);
    m_maps[0] = new DxfMapWidget(m_wizard, 0);
    m_maps[0]->setFixedSize(480, 360);
    row->addWidget(lstEntities);
    row->addWidget(m_maps[0]);
    body->addLayout(row);
    tabWizard->addTab(p1, QStringLiteral("Pasul 2"));

    QWidget* p2 =
        page(QStringLiteral("Selectarea Entitatilor Asociate Constructiilor"),
             QStringLiteral("Selectati polilinia corespunzatoare unei contructii (poliliniile au fost extrase din "
                            "toate straturile)"),
             &body);
    row = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    lstEntities2 = new QListWidget;
    lstEntities2->setObjectName(QStringLiteral("lstEntities2"));
    lstEntities2->setUniformItemSizes(true);
    lstEntities2->setMaximumWidth(180);
    left->addWidget(lstEntities2);
    auto* tie = new QHBoxLayout;
    tie->addWidget(new QLabel(QStringLiteral("C")));
    txtNrConst = new QLineEdit;
    txtNrConst->setObjectName(QStringLiteral("txtNrConst"));
    txtNrConst->setMaximumWidth(60);
    tie->addWidget(txtNrConst);
    cmdAsociate = button(QStringLiteral("cmdAsociate"), QStringLiteral("Asociaza"));
    tie->addWidget(cmdAsociate);
    left->addLayout(tie);
    row->addLayout(left);
    m_maps[1] = new DxfMapWidget(m_wizard, 1);
    m_maps[1]->setFixedSize(480, 360);
    row->addWidget(m_maps[1]);
    body->addLayout(row);
    tabWizard->addTab(p2, QStringLiteral("Pasul 3"));

    QWidget* p3 =
        page(QStringLiteral("Raport Selectie"), QStringLiteral("Au fost selectate urmatoarele poliliniii :"), &body);
    lstRaport = new QListWidget;
    lstRaport->setObjectName(QStringLiteral("lstRaport"));
    body->addWidget(lstRaport);
    tabWizard->addTab(p3, QStringLiteral("Raport"));

    auto* preview = new QHBoxLayout;
    cmdZoomIN = button(QStringLiteral("cmdZoomIN"), QStringLiteral("Zoom In"));
    cmdZoomOUT = button(QStringLiteral("cmdZoomOUT"), QStringLiteral("Zoom Out"));
    cmdZoomSelected = button(QStringLiteral("cmdZoomSelected"), QStringLiteral("Zoom Selected"));
    cmdPan = button(QStringLiteral("cmdPan"), QStringLiteral("Pan"));
    cmdPan->setCheckable(true);
    for (QPushButton* b : {cmdZoomIN, cmdZoomOUT, cmdZoomSelected, cmdPan})
        preview->addWidget(b);
    preview->addStretch();
    outer->addLayout(preview);

    auto* bottom = new QHBoxLayout;
    prBarImport = new QProgressBar;
    prBarImport->setObjectName(QStringLiteral("prBarImport"));
    prBarImport->setTextVisible(false);
    prBarImport->setMaximumWidth(160);
    prBarImport->hide();
    lblImportedEntities = new QLabel;
    lblImportedEntities->setObjectName(QStringLiteral("lblImportedEntities"));
    lblImportedEntities->hide();
    cmdPrevious = button(QStringLiteral("cmdPrevious"), QStringLiteral("<- Inapoi "));
    cmdNext = button(QStringLiteral("cmdNext"), QStringLiteral("Urmatorul ->"));
    cmdExit = button(QStringLiteral("cmdExit"), QStringLiteral("Renunta"));
    bottom->addWidget(prBarImport);
    bottom->addWidget(lblImportedEntities);
    bottom->addStretch();
    bottom->addWidget(cmdPrevious);
    bottom->addWidget(cmdNext);
    bottom->addWidget(cmdExit);
    outer->addLayout(bottom);

    connect(cmdOpenFile, &QPushButton::clicked, this, [this] { cmdOpenFile_Click(); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { cmdNext_Click(); });
    connect(cmdPrevious, &QPushButton::clicked, this, [this] { cmdPrevious_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    connect(cmbLayers, &QComboBox::activated, this, [this](int index) { cmbLayers_Click(index); });
    connect(lstEntities, &QListWidget::currentRowChanged, this, [this](int row) { lstEntities_Click(row); });
    connect(lstEntities2, &QListWidget::currentRowChanged, this, [this](int row) { lstEntities_Click(row); });
    connect(txtNrConst, &QLineEdit::textEdited, this, [this](const QString& text) { m_wizard.setNumberText(text); });
    connect(cmdAsociate, &QPushButton::clicked, this, [this] { cmdAsociate_Click(); });
    connect(cmdZoomIN, &QPushButton::clicked, this, [this] { cmdZoomIN_Click(); });
    connect(cmdZoomOUT, &QPushButton::clicked, this, [this] { cmdZoomOUT_Click(); });
    connect(cmdZoomSelected, &QPushButton::clicked, this, [this] { cmdZoomSelected_Click(); });
    connect(cmdPan, &QPushButton::clicked, this, [this] { cmdPan_Click(); });
    for (DxfMapWidget* map : m_maps)
        connect(map, &DxfMapWidget::leavePanRequested, this, [this] { cmdPan_Click(); });
}

void frmImportDXF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        keepOnTop(this, true);
    }
}

void frmImportDXF::fillList(QListWidget* list, const std::vector<DxfImportWizard::Line>& lines)
{
    const QSignalBlocker blocker(list);
    list->clear();
    QStringList texts;
    texts.reserve(qsizetype(lines.size()));
    for (const auto& line : lines)
        texts << line.text;
    list->addItems(texts);
    // The highlight follows the selected polyline, which a refused page move keeps.
    const auto selected = std::find_if(lines.begin(), lines.end(), [this](const DxfImportWizard::Line& line) {
        return line.position == m_wizard.SelectedIndex();
    });
    list->setCurrentRow(m_wizard.SelectedIndex() > 0 && selected != lines.end() ? int(selected - lines.begin()) : -1);
}

void frmImportDXF::refresh(bool lists)
{
    if (!m_wizard.polylines().isEmpty() || m_wizard.map(1).areaWidth() <= 1.0) {
        const QSizeF area = m_maps[1]->areaSize();
        if (m_wizard.map(1).areaWidth() != area.width() || m_wizard.map(1).areaHeight() != area.height())
            m_wizard.setAreaSize(area.width(), area.height());
    }
    const int page = m_wizard.page();
    if (tabWizard->currentIndex() != page)
        tabWizard->setCurrentIndex(page);
    for (int i = 0; i < 4; ++i)
        tabWizard->setTabEnabled(i, i == page);
    txtOpenFile->setText(m_wizard.fileName());
    lblNote->setText(m_wizard.note());
    lblNote->setStyleSheet(m_wizard.noteIsError() ? QStringLiteral("color: #ff0000; font-weight: bold;")
                                                  : QStringLiteral("color: #000000; font-weight: normal;"));
    cmdPrevious->setEnabled(m_wizard.previousEnabled());
    cmdNext->setEnabled(m_wizard.nextEnabled());
    cmdExit->setEnabled(m_wizard.exitEnabled());
    cmdExit->setText(m_wizard.exitIsOk() ? QStringLiteral("OK") : QStringLiteral("Renunta"));
    const bool preview = m_wizard.previewButtonsVisible();
    for (QPushButton* b : {cmdZoomIN, cmdZoomOUT, cmdZoomSelected, cmdPan})
        b->setVisible(preview);
    for (QPushButton* b : {cmdZoomIN, cmdZoomOUT, cmdZoomSelected})
        b->setEnabled(m_wizard.zoomButtonsEnabled());
    cmdPan->setChecked(m_wizard.panMode());
    cmbLayers->setEnabled(m_wizard.listEnabled());
    lstEntities->setEnabled(m_wizard.listEnabled());
    lstEntities2->setEnabled(m_wizard.listEnabled());
    cmdAsociate->setEnabled(m_wizard.associateEnabled());
    if (txtNrConst->text() != m_wizard.numberText())
        txtNrConst->setText(m_wizard.numberText());
    for (DxfMapWidget* map : m_maps)
        map->setCursor(m_wizard.panMode() ? Qt::OpenHandCursor : Qt::ArrowCursor);

    if (lists) {
        if (page == 1) {
            const QSignalBlocker blocker(cmbLayers);
            if (cmbLayers->count() != m_wizard.layerNames().size() ||
                (cmbLayers->count() > 0 && cmbLayers->itemText(0) != m_wizard.layerNames().first())) {
                cmbLayers->clear();
                cmbLayers->addItems(m_wizard.layerNames());
            }
            cmbLayers->setCurrentIndex(m_wizard.chosenLayer());
            fillList(lstEntities, m_wizard.lines(1));
        } else if (page == 2) {
            fillList(lstEntities2, m_wizard.lines(2));
        } else if (page == 3) {
            lstRaport->clear();
            lstRaport->addItems(m_wizard.report());
        }
    }
    for (DxfMapWidget* map : m_maps)
        map->update();
}

void frmImportDXF::openFile(const QString& path)
{
    m_wizard.openFile(path);
    refresh(true);
}

void frmImportDXF::cmdOpenFile_Click()
{
    m_wizard.openFile();
    refresh(true);
}

void frmImportDXF::cmdNext_Click()
{
    m_wizard.next();
    refresh(true);
}

void frmImportDXF::cmdPrevious_Click()
{
    m_wizard.previous();
    refresh(true);
}

void frmImportDXF::cmdExit_Click()
{
    if (!m_wizard.exit()) {
        refresh(false);
        return;
    }
    if (m_wizard.result()) {
        m_imported = m_wizard.result();
        accept();
    } else {
        reject();
    }
}

void frmImportDXF::cmbLayers_Click(int index)
{
    m_wizard.chooseLayer(index);
    refresh(true);
}

void frmImportDXF::lstEntities_Click(int row)
{
    if (row < 0)
        return;
    m_wizard.clickLine(row);
    refresh(false);
}

void frmImportDXF::cmdAsociate_Click()
{
    m_wizard.setNumberText(txtNrConst->text());
    const int page = m_wizard.page();
    const auto before = m_wizard.associationTexts();
    m_wizard.associate();
    refresh(m_wizard.page() == page && m_wizard.associationTexts() != before);
}

void frmImportDXF::cmdZoomIN_Click()
{
    m_wizard.zoomIn();
    refresh(false);
}

void frmImportDXF::cmdZoomOUT_Click()
{
    m_wizard.zoomOut();
    refresh(false);
}

void frmImportDXF::cmdZoomSelected_Click()
{
    m_wizard.zoomSelected();
    refresh(false);
}

void frmImportDXF::cmdPan_Click()
{
    m_wizard.togglePan();
    refresh(false);
}
