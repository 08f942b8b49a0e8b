#include "util/Mustache.h"

#include <QStringView>

#include <algorithm>
#include <limits>

namespace Mustache {

namespace {

// Looks one key part up in a value: a map by key, anything else through its
// hash form (which is empty for values that are not associative).
QVariant lookupPart(const QVariant &value, const QString &part)
{
    if (value.typeId() == QMetaType::QVariantMap)
        return value.toMap().value(part);
    return value.toHash().value(part);
}

bool isTextType(const QVariant &value)
{
    // Qt converts text to a list of its characters; a string is one value.
    const int type = value.typeId();
    return type == QMetaType::QString || type == QMetaType::QByteArray;
}

} // namespace

QString escapeHtml(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            escaped += QLatin1String("&amp;");
            break;
        case '<':
            escaped += QLatin1String("&lt;");
            break;
        case '>':
            escaped += QLatin1String("&gt;");
            break;
        case '"':
            escaped += QLatin1String("&quot;");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

QString unescapeHtml(const QString &text)
{
    QString unescaped = text;
    unescaped.replace(QLatin1String("&lt;"), QLatin1String("<"));
    unescaped.replace(QLatin1String("&gt;"), QLatin1String(">"));
    unescaped.replace(QLatin1String("&quot;"), QLatin1String("\""));
    unescaped.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return unescaped;
}

PartialMap::PartialMap(const QHash<QString, QString> &partials)
    : m_partials(partials)
{
}

QString PartialMap::partialText(const QString &name)
{
    return m_partials.value(name);
}

void PartialMap::insert(const QString &name, const QString &text)
{
    m_partials.insert(name, text);
}

Context::Context(PartialSource *partials)
    : m_partials(partials)
{
}

Context::~Context() = default;

bool Context::isCallable(const QString &key) const
{
    Q_UNUSED(key);
    return false;
}

QString Context::callSection(const QString &key, const QString &text, Renderer *renderer)
{
    Q_UNUSED(key);
    Q_UNUSED(text);
    Q_UNUSED(renderer);
    return {};
}

QString Context::partialText(const QString &name) const
{
    return m_partials ? m_partials->partialText(name) : QString();
}

QtVariantContext::QtVariantContext(const QVariant &root, PartialSource *partials)
    : Context(partials)
{
    m_stack.append(root);
}

QVariant QtVariantContext::value(const QString &key) const
{
    if (key == QLatin1String(".")) {
        if (!m_stack.isEmpty())
            return m_stack.last();
        return {};
    }
    const QStringList parts = key.split(QLatin1Char('.'));
    for (qsizetype i = m_stack.size() - 1; i >= 0; --i) {
        QVariant found = lookupPart(m_stack.at(i), parts.first());
        for (qsizetype p = 1; p < parts.size() && !found.isNull(); ++p)
            found = lookupPart(found, parts.at(p));
        if (!found.isNull())
            return found;
    }
    return {};
}

QString QtVariantContext::lookupText(const QString &key) const
{
    const QVariant found = value(key);
    if (found.isNull())
        return {};
    return found.toString();
}

bool QtVariantContext::isFalsy(const QString &key) const
{
    const QVariant found = value(key);
    if (found.isNull())
        return true;
    switch (found.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return !found.toBool();
    case QMetaType::QChar:
        return found.toChar().isNull();
    case QMetaType::Double:
        return found.toDouble() == 0.0;
    case QMetaType::Float:
        return found.toFloat() == 0.0f;
    case QMetaType::QVariantMap:
        return found.toMap().isEmpty();
    case QMetaType::QVariantList:
        return found.toList().isEmpty();
    case QMetaType::QStringList:
        return found.toStringList().isEmpty();
    case QMetaType::QVariantHash:
        return found.toHash().isEmpty();
    default:
        return found.toString().isEmpty();
    }
}

int QtVariantContext::listLength(const QString &key) const
{
    const QVariant found = value(key);
    if (found.isNull() || isTextType(found) || !found.canConvert<QVariantList>())
        return 0;
    return static_cast<int>(std::min<qsizetype>(found.toList().size(), std::numeric_limits<int>::max()));
}

void QtVariantContext::enterSection(const QString &key, int index)
{
    const QVariant found = value(key);
    if (index < 0)
        m_stack.append(found);
    else
        m_stack.append(found.toList().value(index));
}

void QtVariantContext::leaveSection()
{
    Q_ASSERT(!m_stack.isEmpty());
    if (!m_stack.isEmpty())
        m_stack.removeLast();
}

bool QtVariantContext::isCallable(const QString &key) const
{
    const QVariant found = value(key);
    return !found.isNull() && found.canConvert<fn_t>() && found.value<fn_t>();
}

QString QtVariantContext::callSection(const QString &key, const QString &text, Renderer *renderer)
{
    const fn_t function = value(key).value<fn_t>();
    if (!function)
        return {};
    return function(text, renderer, this);
}

const QString Renderer::kDefaultStartMarker = QStringLiteral("{{");
const QString Renderer::kDefaultEndMarker = QStringLiteral("}}");

QString Renderer::renderTemplate(const QString &templateText, Context *context)
{
    QtVariantContext fallback{QVariant()};
    Q_ASSERT(context);
    if (!context)
        context = &fallback;

    if (m_nesting > 0) {
        // Called from a callable section while a template is being rendered.
        const QString savedStart = m_startMarker;
        const QString savedEnd = m_endMarker;
        m_startMarker = kDefaultStartMarker;
        m_endMarker = kDefaultEndMarker;
        QString out;
        render(templateText, 0, static_cast<int>(templateText.size()), context, out);
        m_startMarker = savedStart;
        m_endMarker = savedEnd;
        return out;
    }

    m_errorMessage.clear();
    m_errorPosition = -1;
    m_errorPartial.clear();
    m_startMarker = kDefaultStartMarker;
    m_endMarker = kDefaultEndMarker;
    m_partialStack.clear();
    // Positions are ints; a template beyond that size is rendered up to it.
    const int size = static_cast<int>(std::min<qsizetype>(templateText.size(), std::numeric_limits<int>::max()));
    QString out;
    render(templateText, 0, size, context, out);
    return out;
}

void Renderer::setError(const QString &message, int position)
{
    m_errorMessage = message;
    m_errorPosition = position;
    m_errorPartial = m_partialStack.isEmpty() ? QString() : m_partialStack.last();
}

bool Renderer::enterNesting(int position)
{
    if (m_nesting >= kMaxNesting) {
        setError(QStringLiteral("Sections and partials nested too deeply"), position);
        return false;
    }
    ++m_nesting;
    return true;
}

void Renderer::render(const QString &templateText, int from, int to, Context *context, QString &out)
{
    if (!enterNesting(from))
        return;

    int pos = from;
    while (m_errorMessage.isEmpty()) {
        const Tag tag = findTag(templateText, pos, to);
        if (tag.type == TagType::Null) {
            out += QStringView(templateText).mid(pos, std::max(0, to - pos));
            break;
        }
        out += QStringView(templateText).mid(pos, tag.start - pos);
        pos = tag.end;

        switch (tag.type) {
        case TagType::Value: {
            const QString text = context->lookupText(tag.key);
            if (tag.escapeMode == Escape)
                out += escapeHtml(text);
            else if (tag.escapeMode == Unescape)
                out += unescapeHtml(text);
            else
                out += text;
            break;
        }
        case TagType::SectionStart:
        case TagType::InvertedSectionStart:
            renderSection(templateText, tag, to, context, out, pos);
            break;
        case TagType::SectionEnd:
            setError(QStringLiteral("Unexpected end tag"), tag.start);
            break;
        case TagType::Partial:
            renderPartial(tag, context, out);
            break;
        case TagType::SetDelimiter:
            applyDelimiters(tag);
            break;
        case TagType::Comment:
        case TagType::Null:
            break;
        }
    }

    --m_nesting;
}

void Renderer::renderSection(const QString &templateText, const Tag &tag, int to, Context *context, QString &out,
                             int &pos)
{
    // The body is rendered with the delimiters in force where it starts; a
    // delimiter change inside it holds after the end tag.
    const QString bodyStartMarker = m_startMarker;
    const QString bodyEndMarker = m_endMarker;
    const Tag endTag = findEndTag(templateText, tag, to);
    if (!m_errorMessage.isEmpty())
        return;
    const QString afterStartMarker = m_startMarker;
    const QString afterEndMarker = m_endMarker;

    const int bodyFrom = tag.end;
    const int bodyTo = std::max(tag.end, endTag.start);
    auto renderBody = [&]() {
        m_startMarker = bodyStartMarker;
        m_endMarker = bodyEndMarker;
        render(templateText, bodyFrom, bodyTo, context, out);
    };

    if (tag.type == TagType::SectionStart) {
        const int count = context->listLength(tag.key);
        if (count >= 1) {
            for (int i = 0; i < count && m_errorMessage.isEmpty(); ++i) {
                context->enterSection(tag.key, i);
                renderBody();
                context->leaveSection();
            }
        } else if (context->isCallable(tag.key)) {
            if (enterNesting(tag.start)) {
                out += context->callSection(tag.key, templateText.mid(bodyFrom, bodyTo - bodyFrom), this);
                --m_nesting;
            }
        } else if (!context->isFalsy(tag.key)) {
            context->enterSection(tag.key, -1);
            renderBody();
            context->leaveSection();
        }
    } else if (context->isFalsy(tag.key)) {
        renderBody();
    }

    m_startMarker = afterStartMarker;
    m_endMarker = afterEndMarker;
    pos = endTag.end;
}

void Renderer::renderPartial(const Tag &tag, Context *context, QString &out)
{
    const QString savedStart = m_startMarker;
    const QString savedEnd = m_endMarker;
    m_startMarker = kDefaultStartMarker;
    m_endMarker = kDefaultEndMarker;
    m_partialStack.append(tag.key);

    QString text = context->partialText(tag.key);
    if (tag.indentation > 0) {
        const QString indent(tag.indentation, QLatin1Char(' '));
        out += indent;
        QString indented;
        indented.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            indented += text.at(i);
            if (text.at(i) == QLatin1Char('\n') && i + 1 < text.size())
                indented += indent;
        }
        text = indented;
    }
    const int size = static_cast<int>(std::min<qsizetype>(text.size(), std::numeric_limits<int>::max()));
    render(text, 0, size, context, out);

    m_partialStack.removeLast();
    m_startMarker = savedStart;
    m_endMarker = savedEnd;
}

void Renderer::applyDelimiters(const Tag &tag)
{
    if (!m_errorMessage.isEmpty())
        return;
    m_startMarker = tag.newStartMarker;
    m_endMarker = tag.newEndMarker;
}

Renderer::Tag Renderer::findEndTag(const QString &templateText, const Tag &startTag, int to)
{
    int depth = 1;
    int pos = startTag.end;
    while (m_errorMessage.isEmpty()) {
        const Tag tag = findTag(templateText, pos, to);
        if (tag.type == TagType::Null)
            break;
        pos = tag.end;
        switch (tag.type) {
        case TagType::SectionStart:
        case TagType::InvertedSectionStart:
            ++depth;
            break;
        case TagType::SectionEnd:
            if (depth == 1) {
                if (tag.key != startTag.key) {
                    setError(QStringLiteral("Tag start/end key mismatch"), tag.start);
                    return {};
                }
                return tag;
            }
            --depth;
            break;
        case TagType::SetDelimiter:
            applyDelimiters(tag);
            break;
        default:
            break;
        }
    }
    if (m_errorMessage.isEmpty()) {
        setError(startTag.type == TagType::SectionStart
                     ? QStringLiteral("No matching end tag found for section")
                     : QStringLiteral("No matching end tag found for inverted section"),
                 startTag.start);
    }
    return {};
}

Renderer::Tag Renderer::findTag(const QString &templateText, int pos, int to)
{
    Tag tag;
    const int size = static_cast<int>(templateText.size());
    const qsizetype start = templateText.indexOf(m_startMarker, pos);
    if (start < 0 || start >= to)
        return tag;
    const int contentStart = static_cast<int>(start + m_startMarker.size());
    const qsizetype endMarker = templateText.indexOf(m_endMarker, contentStart);
    if (endMarker < 0)
        return tag;
    const int contentEnd = static_cast<int>(endMarker);

    tag.start = static_cast<int>(start);
    tag.end = static_cast<int>(contentEnd + m_endMarker.size());
    int keyStart = contentStart;
    int keyEnd = contentEnd;

    const QChar typeChar = contentStart < contentEnd ? templateText.at(contentStart) : QChar();
    switch (typeChar.unicode()) {
    case '#':
        tag.type = TagType::SectionStart;
        ++keyStart;
        break;
    case '^':
        tag.type = TagType::InvertedSectionStart;
        ++keyStart;
        break;
    case '/':
        tag.type = TagType::SectionEnd;
        ++keyStart;
        break;
    case '!':
        tag.type = TagType::Comment;
        keyStart = keyEnd;
        break;
    case '>':
        tag.type = TagType::Partial;
        ++keyStart;
        break;
    case '=':
        tag.type = TagType::SetDelimiter;
        readSetDelimiter(templateText, contentStart, contentEnd, tag);
        keyStart = keyEnd;
        break;
    case '&':
        tag.type = TagType::Value;
        tag.escapeMode = Unescape;
        ++keyStart;
        break;
    case '{': {
        tag.type = TagType::Value;
        tag.escapeMode = Raw;
        ++keyStart;
        const qsizetype brace = templateText.indexOf(QLatin1Char('}'), keyStart);
        if (brace == contentEnd) {
            // "{{{key}}}": the end marker was found at the closing brace, so
            // the third brace after it belongs to the tag too.
            if (tag.end < size && templateText.at(tag.end) == QLatin1Char('}'))
                ++tag.end;
        } else if (brace >= 0 && brace < contentEnd) {
            keyEnd = static_cast<int>(brace);
        }
        break;
    }
    default:
        tag.type = TagType::Value;
        tag.escapeMode = Escape;
        break;
    }

    while (keyStart < keyEnd && templateText.at(keyStart).isSpace())
        ++keyStart;
    tag.key = templateText.mid(keyStart, keyEnd - keyStart);

    if (tag.type != TagType::Value)
        widenStandalone(templateText, pos, tag);
    return tag;
}

void Renderer::readSetDelimiter(const QString &templateText, int contentStart, int contentEnd, Tag &tag)
{
    // "{{=<% %>=}}": the new start marker runs to the next blank, the end
    // marker from the next non-blank to a blank or the closing "=".
    const int last = contentEnd - 1;
    int i = contentStart + 1;
    while (i < contentEnd && templateText.at(i).isSpace())
        ++i;
    int from = i;
    while (i < contentEnd && !templateText.at(i).isSpace())
        ++i;
    tag.newStartMarker = templateText.mid(from, i - from);
    if (tag.newStartMarker.contains(QLatin1Char('='))) {
        setError(QStringLiteral("Custom delimiters may not contain '='."), i);
        return;
    }
    while (i < last && templateText.at(i).isSpace())
        ++i;
    from = i;
    while (i < last && !templateText.at(i).isSpace())
        ++i;
    tag.newEndMarker = templateText.mid(from, std::max(0, i - from));
    if (tag.newEndMarker.contains(QLatin1Char('='))) {
        setError(QStringLiteral("Custom delimiters may not contain '='."), i);
        return;
    }
    // An empty marker would match everywhere and never let the scanner move on.
    if (tag.newStartMarker.isEmpty() || tag.newEndMarker.isEmpty())
        setError(QStringLiteral("Custom delimiters may not be empty."), i);
}

void Renderer::widenStandalone(const QString &templateText, int pos, Tag &tag) const
{
    const int size = static_cast<int>(templateText.size());
    int left = tag.start;
    int indentation = 0;
    while (left > 0) {
        const QChar c = templateText.at(left - 1);
        if (c == QLatin1Char('\n') || !c.isSpace())
            break;
        if (c.category() == QChar::Separator_Space)
            ++indentation;
        --left;
    }
    if (left > 0 && templateText.at(left - 1) != QLatin1Char('\n'))
        return;

    int right = tag.end;
    while (right < size) {
        const QChar c = templateText.at(right);
        if (c == QLatin1Char('\n') || !c.isSpace())
            break;
        ++right;
    }
    if (right < size && templateText.at(right) != QLatin1Char('\n'))
        return;

    tag.start = std::max(left, pos);
    tag.end = right < size ? right + 1 : right;
    tag.indentation = indentation;
}

} // namespace Mustache
