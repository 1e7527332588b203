#pragma once

#include <QString>

class AppSettings;
class DelimiterEditor;
class Prompter;

// What the options dialog confirms: the three texts and the delimiter list.
struct OptionsValues
{
    QString surveyorName;
    QString surveyorLicense;
    QString workNumber;

    // The confirm rules: an empty delimiter list is refused with its message (nothing written);
    // otherwise the four keys are written and the program-wide values updated. Returns true
    // when the dialog may close.
    bool confirm(const DelimiterEditor& delimiters, AppSettings& settings, Prompter& prompter) const;
};
