#include "platform/chm_viewer/sitemap.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocumentFragment>
#include <optional>

namespace bladetrace::platform {
namespace {

QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    // Older tools write the machine's 8-bit code page; Latin-1 keeps such names readable.
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QString attribute(const QString& attributes, const QString& wanted) {
    static const QRegularExpression pattern(
        QStringLiteral(R"re(([\w-]+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re"));
    for (auto it = pattern.globalMatch(attributes); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(1).compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        for (int group = 2; group <= 4; ++group)
            if (match.capturedStart(group) >= 0)
                return match.captured(group);
    }
    return {};
}

// Entities such as &uuml; keep the files plain ASCII.
QString unescape(const QString& text) {
    if (!text.contains(u'&'))
        return text;
    return QTextDocumentFragment::fromHtml(text).toPlainText();
}

} // namespace

std::vector<SitemapEntry> parseSitemap(const QByteArray& html) {
    static const QRegularExpression tag(
        QStringLiteral(R"re(<\s*(/?)\s*(ul|object|param)\b([^>]*)>)re"),
        QRegularExpression::CaseInsensitiveOption);
    std::vector<SitemapEntry> root;
    // The list being filled at each open <ul>; a list below an entry becomes its children.
    std::vector<std::vector<SitemapEntry>*> lists{&root};
    std::optional<SitemapEntry> pending;
    bool inSitemapObject = false;

    const QString text = decodeText(html);
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const bool closing = !match.captured(1).isEmpty();
        const QString name = match.captured(2).toLower();
        const QString attributes = match.captured(3);

        if (name == u"ul") {
            if (closing) {
                if (lists.size() > 1)
                    lists.pop_back();
            } else {
                std::vector<SitemapEntry>* current = lists.back();
                lists.push_back(current->empty() ? current : &current->back().children);
            }
        } else if (name == u"object") {
            if (closing) {
                if (pending && inSitemapObject)
                    lists.back()->push_back(std::move(*pending));
                pending.reset();
                inSitemapObject = false;
            } else {
                inSitemapObject = attribute(attributes, QStringLiteral("type"))
                                      .compare(u"text/sitemap", Qt::CaseInsensitive) == 0;
                pending = SitemapEntry{};
            }
        } else if (pending && !closing) {
            const QString key = attribute(attributes, QStringLiteral("name"));
            const QString value = unescape(attribute(attributes, QStringLiteral("value")));
            // An entry may list several name/page pairs; the first of each counts.
            if (key.compare(u"Name", Qt::CaseInsensitive) == 0 && pending->name.isEmpty())
                pending->name = value;
            else if (key.compare(u"Local", Qt::CaseInsensitive) == 0 && pending->local.isEmpty())
                pending->local = value;
        }
    }
    return root;
}

} // namespace bladetrace::platform
