#include "base/ui/ConfirmButtons.h"

#include <QHBoxLayout>
#include <QPushButton>

ConfirmButtons ConfirmButtons::create(QWidget* dialog)
{
    ConfirmButtons buttons{new QPushButton(QStringLiteral("OK"), dialog),
                           new QPushButton(QStringLiteral("Iesire"), dialog), new QHBoxLayout};
    buttons.ok->setObjectName(QStringLiteral("cmdOk"));
    buttons.ok->setDefault(true);
    buttons.exit->setObjectName(QStringLiteral("cmdExit"));
    buttons.row->addStretch();
    buttons.row->addWidget(buttons.ok);
    buttons.row->addWidget(buttons.exit);
    return buttons;
}
