#pragma once

#include <QString>
#include <optional>

struct Error;

// The one seam through which logic shows messages and asks questions. The Qt implementation
// (base/ui/QtPrompter) is the only user of message boxes and file dialogs; tests script answers
// with ScriptedPrompter.
class Prompter
{
public:
    enum class Icon
    {
        None,
        Information,
        Exclamation,
        Critical,
        Question
    };
    enum class Buttons
    {
        Ok,
        OkCancel,
        YesNo,
        YesNoCancel
    };
    enum class Answer
    {
        Ok,
        Cancel,
        Yes,
        No
    };
    // What a question asks, for prompters that answer without showing it (the command line's
    // answers from its options): they go by this name, never by the wording, which may change.
    enum class Question
    {
        Unnamed,
        AssignLandPolyline,  // DXF wizard: take the selected polyline as the land?
        ReplaceLandPolyline, // DXF wizard: another polyline was the land; replace it?
        AssociateBuilding,   // DXF wizard: tie the polyline to the building number typed?
        ReassociateBuilding, // DXF wizard: the polyline was tied to a building; tie it again?
        RenumberBuildings,   // DXF wizard: renumber the buildings from 1 to n?
        OverwriteRows,       // coordinate list: the paste writes over rows; go on?
    };

    virtual ~Prompter() = default;

    virtual void message(const QString& text, const QString& caption, Icon icon) = 0;
    virtual Answer ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) = 0;
    // A question its caller names. Prompters that show questions ask it as any other (the
    // default); the others answer by the name.
    virtual Answer askNamed(Question question, const QString& text, const QString& caption, Buttons buttons, Icon icon);
    // File dialogs: the chosen path, or an empty text when the user cancels. The filter is
    // "description|pattern|..." pairs.
    virtual QString openFileName(const QString& caption, const QString& filter, const QString& directory) = 0;
    virtual QString saveFileName(const QString& caption, const QString& filter, const QString& suggestedPath) = 0;
    // A folder dialog: the chosen folder, or an empty text when the user cancels. Prompters
    // that have no such dialog (the command line's) answer as if cancelled.
    virtual QString folderName(const QString& caption, const QString& directory);
    // A text prompt: the typed text, or nothing when the user cancels.
    virtual std::optional<QString> inputText(const QString& prompt, const QString& caption,
                                             const QString& defaultText) = 0;

    // The captions shared by every window; users know these exact words.
    static inline const QString CaptionError = QStringLiteral("Eroare");
    static inline const QString CaptionConfirm = QStringLiteral("Confirmare");
    static inline const QString CaptionInfo = QStringLiteral("Info");

    // A message under the "Eroare" caption.
    void error(const QString& text, Icon icon = Icon::Exclamation);
    // A question under the "Confirmare" caption.
    Answer confirm(const QString& text, Buttons buttons = Buttons::YesNo, Icon icon = Icon::Question);
    // A message under the "Info" caption.
    void info(const QString& text, Icon icon = Icon::Information);

    // The standard failure message: "number description", caption "Eroare".
    void showError(int number, const QString& description, Icon icon = Icon::Exclamation);
    void showError(const Error& failure, Icon icon = Icon::Exclamation);
};
