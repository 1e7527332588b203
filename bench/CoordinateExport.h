#pragma once

#include <QString>

// A total-station export of `lines` points: "number<TAB>Est<TAB>Nord" lines ended by CR LF.
inline QString exportText(int lines)
{
    QString text;
    for (int i = 1; i <= lines; ++i)
        text += QStringLiteral("%1\t%2\t%3\r\n")
                    .arg(i)
                    .arg(400000.0 + i * 0.731, 0, 'f', 3)
                    .arg(300000.0 + i * 0.419, 0, 'f', 3);
    return text;
}
