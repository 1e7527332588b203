#pragma once

#include "base/Error.h"
#include "model/Document.h"

class QIODevice;

// Reads and writes property documents as .CP files (binary, little-endian, length-prefixed
// Windows-1250 texts). Status and the two comments travel from a loaded file to the next save.
class CPFile
{
public:
    // decimalSeparator: the user's, used when the loaded contour points become polygons.
    explicit CPFile(QString decimalSeparator = QString());

    const QString& CPFileName() const { return m_fileName; }
    void setCPFileName(const QString& name) { m_fileName = name; }
    const DocumentPtr& Document() const { return m_document; }
    void setDocument(DocumentPtr document) { m_document = std::move(document); }
    const QString& Version() const { return m_version; }
    void setVersion(const QString& version) { m_version = version; }
    const QString& Status() const { return m_status; }
    void setStatus(const QString& status) { m_status = status; }
    const QString& Comment1() const { return m_comment1; }
    void setComment1(const QString& comment) { m_comment1 = comment; }
    const QString& Comment2() const { return m_comment2; }
    void setComment2(const QString& comment) { m_comment2 = comment; }

    // Writes Document into CPFileName through a temporary file renamed at the end, so a
    // failed save (a count above 32,767 or a text over 65,535 bytes: error 6; an unwritable
    // path) leaves an existing file as it was. Returns false with the failure in *error.
    bool SaveCPFile(Error* error = nullptr);
    // The same into any device (the whole content is composed first, then written once).
    bool save(QIODevice* device, Error* error = nullptr);
    // The file's bytes, composed in memory; error 6 fails before a byte is written.
    QByteArray compose() const;

    // Reads CPFileName (double quotes removed) into a new Document. On failure returns false
    // with the failure in *error (the caller shows it: Prompter::showError, warning icon); what
    // was read stays in the new Document, which is already this object's Document.
    bool LoadCPFile(Error* error = nullptr);
    bool load(QIODevice* device, Error* error = nullptr);

private:
    void readFrom(QIODevice* device);

    QString m_decimalSeparator;
    QString m_fileName;
    DocumentPtr m_document;
    QString m_version;
    QString m_status;
    QString m_comment1;
    QString m_comment2;
};
