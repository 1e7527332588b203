#include "dxf/ImportDXF.h"

#include <QFile>
#include <QFileInfo>

ImportDXF::ImportDXF(QObject* parent) : QObject(parent) {}

bool openDrawing(QFile& file, QString* message)
{
    // Unbuffered: the reader does its own large reads, a second buffer would only copy.
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return true;
    const QString name = QFileInfo(file.fileName()).fileName();
    if (!file.exists())
        *message = QStringLiteral("Fisierul %1 nu exista.").arg(name);
    else if (QFileInfo(file.fileName()).isDir())
        *message = QStringLiteral("%1 este un dosar, nu un fisier .DXF.").arg(name);
    else
        *message = QStringLiteral("Fisierul %1 nu poate fi deschis (%2).").arg(name, file.errorString());
    return false;
}

DxfReadResult ImportDXF::Import()
{
    QFile file(m_fileName);
    DxfReadResult result;
    if (!openDrawing(file, &result.message)) {
        result.status = DxfReadResult::Failed;
        return result;
    }
    return Import(file);
}

DxfReadResult ImportDXF::Import(QIODevice& device)
{
    emit StartImport();
    DxfPolylines store;
    DxfPolylineReader reader;
    // Importing follows the kept polyline; the model objects are made once the section ended,
    // since an unfinished section publishes nothing.
    reader.onPolyline = [this] { emit Importing(); };
    const DxfReadResult result = reader.read(device, store);
    if (result.status == DxfReadResult::Published) {
        if (!m_own)
            m_own = std::make_shared<class DXFEntities>();
        store.appendEntities(*m_own);
        m_published = m_own;
    }
    emit StopImport();
    return result;
}
