// File names of the user's documents and the two steps every document shares: loading one
// whole into the editor and saving the editor's text back.
#include "workbook/Documents.h"

#include "frame/HINFO1.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"

using namespace platform;

namespace workbook {

namespace {

constexpr int LastSpecFileNumber = 46;
constexpr int LastWorksheetNo = 20;

bool sameFile(const QString& a, const QString& b) {
    return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

QString kindWord(int textKind) {
    switch (textKind) {
    case KindAction: return QStringLiteral("Action");
    case KindComment: return QStringLiteral("Comment");
    case KindPolicy: return QStringLiteral("Policy");
    default: return {};
    }
}

QString specDocumentFile(int textKind, int specFileNumber) {
    const QString word = kindWord(textKind);
    if (word.isEmpty() || specFileNumber < 0 || specFileNumber > LastSpecFileNumber) return {};
    return word + QString::number(specFileNumber) + QStringLiteral(".Fil");
}

QString sampleDocumentFile(int textKind) {
    switch (textKind) {
    case KindAction: return QStringLiteral("SampleAct.Dat");
    case KindComment: return QStringLiteral("SampleCom.Dat");
    case KindPolicy: return QStringLiteral("SamplePol.Dat");
    default: return {};
    }
}

QString worksheetDocumentFile(int worksheetNo) {
    if (worksheetNo < 0 || worksheetNo > LastWorksheetNo) return {};
    return QStringLiteral("Wksht") + QString::number(worksheetNo) + QStringLiteral(".Fil");
}

ReadStatus loadDocument(RichTextBox& editor, const QString& name, QString& unreadable) {
    const ReadStatus status = editor.loadFile(name);
    if (status == ReadStatus::Ok) {
        if (sameFile(unreadable, name)) unreadable.clear();
        return status;
    }
    // The box keeps what it had when a load fails; the document's place is empty.
    if (!editor.text().isEmpty()) editor.setText(QString());
    if (status == ReadStatus::Missing) {
        if (sameFile(unreadable, name)) unreadable.clear();
        return status;
    }
    unreadable = name;
    HourglassOff();
    msgBox(QStringLiteral("The file ") + name + QStringLiteral(" exists but could not be read.") + CR +
               QStringLiteral("It has been left as it is.") + CR + CR +
               QStringLiteral("If you save here, the text in the editor will replace it."),
           Msg::OKOnly | Msg::Exclamation, OpenDocumentTitle);
    return status;
}

SaveOutcome saveDocument(const RichTextBox& editor, const QString& name, QString& unreadable) {
    if (sameFile(unreadable, name)) {
        HourglassOff();
        const int answer =
            msgBox(QStringLiteral("The file ") + name + QStringLiteral(" could not be read when it was opened.") +
                       CR + QStringLiteral("Saving replaces what it holds with the text in the editor.") + CR +
                       CR + QStringLiteral("Replace it?"),
                   Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2, SaveCommandTitle);
        if (answer != Answer::Yes) return SaveOutcome::Declined;
    }
    HourglassOn();
    QString reason;
    const bool saved = editor.saveFile(name, &reason);
    HourglassOff();
    if (!saved) {
        QString text = QStringLiteral("Unable to save ") + name + QStringLiteral(".");
        if (!reason.isEmpty()) text += CR + reason;
        text += CR + CR + QStringLiteral("Your text is still in the editor and has not been saved.");
        msgBox(text, Msg::OKOnly | Msg::Critical, SaveCommandTitle);
        return SaveOutcome::Failed;
    }
    if (sameFile(unreadable, name)) unreadable.clear();
    return SaveOutcome::Saved;
}

}  // namespace workbook
