#pragma once

#include <QColor>
#include <QFrame>

class QLabel;
class QLineEdit;

// The totals of one grid: the measured total computed from the grid (a label) and the total
// written in the legal documents (a text field), both in "mp".
class TotalsPanel : public QFrame
{
    Q_OBJECT
public:
    // prefix names the controls: lblTotal<prefix>, txtTotalActe<prefix>.
    explicit TotalsPanel(const QString& prefix, QWidget* parent = nullptr);

    QString measuredText() const;
    void setMeasuredText(const QString& text);
    // The colour of a freshly recomputed total (red 0, green 0, blue 192), or the normal one.
    void setMeasuredMarked(bool marked);
    bool measuredMarked() const { return m_marked; }

    QString legalText() const;
    void setLegalText(const QString& text);
    QLineEdit* legalField() const { return m_legal; }

    static inline const QColor MarkedColour{0, 0, 192};

private:
    QLabel* m_measured;
    QLineEdit* m_legal;
    bool m_marked = false;
};

// The surveyor's name and licence series, shown read only.
class SurveyorPanel : public QFrame
{
    Q_OBJECT
public:
    explicit SurveyorPanel(QWidget* parent = nullptr);

    QString name() const;
    void setName(const QString& name);
    QString license() const;
    void setLicense(const QString& license);

private:
    QLabel* m_name;
    QLabel* m_license;
};
