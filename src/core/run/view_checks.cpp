#include "run/view_checks.h"

#include "text/string_table.h"

namespace bladetrace {
namespace {

QString edgeName(qint32 lLanguage, const EdgeContact& contact) {
    const qint16 id = contact.top > 0 && contact.bottom > 0 ? str::kCheckBothEdges
                      : contact.top > 0                     ? str::kCheckTopEdge
                                                            : str::kCheckBottomEdge;
    return LoadLangResString(lLanguage, id);
}

QString viewName(qint32 lLanguage, bool topView) {
    return LoadLangResString(lLanguage, topView ? str::kCheckTopView : str::kCheckSideView);
}

} // namespace

EdgeFinding edgeFinding(const EdgeContact& contact) {
    if (contact.either == 0)
        return EdgeFinding::Clear;
    return contact.either > kMaxEdgeShare * contact.columns ? EdgeFinding::CutOff
                                                            : EdgeFinding::Note;
}

QString cutOffText(qint32 lLanguage, bool topView, const EdgeContact& contact) {
    return LoadLangResString(lLanguage, str::kBladeCutOff)
               .arg(viewName(lLanguage, topView), edgeName(lLanguage, contact),
                    QString::number(contact.either), QString::number(contact.columns)) +
           kCrLf + LoadLangResString(lLanguage, str::kPaperAround);
}

QString edgeNote(qint32 lLanguage, bool topView, const EdgeContact& contact) {
    return LoadLangResString(lLanguage, str::kNoteEdge)
        .arg(viewName(lLanguage, topView), QString::number(contact.either),
             QString::number(contact.columns), edgeName(lLanguage, contact));
}

QString sameFileText(qint32 lLanguage, const QString& fileName) {
    return LoadLangResString(lLanguage, str::kSameFile) + kCrLf + fileName + kCrLf +
           LoadLangResString(lLanguage, str::kTwoPictures);
}

} // namespace bladetrace
