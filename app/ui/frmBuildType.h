#pragma once

#include <QDialog>

class AppSettings;
class QRadioButton;
class QPushButton;

// Asks before a new document whether it is land ("Teren") or an apartment ("Apartament").
class frmBuildType : public QDialog
{
    Q_OBJECT
public:
    explicit frmBuildType(AppSettings& settings, QWidget* parent = nullptr);

    // True when "Apartament" was chosen and confirmed.
    bool isApartment() const;

    QRadioButton* optLand;
    QRadioButton* optApartment;
    QPushButton* cmdOk;
    QPushButton* cmdExit;

protected:
    void accept() override;
    void reject() override;

private:
    AppSettings& m_settings;
};
