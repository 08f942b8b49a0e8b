#pragma once

#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

// A small logic-less template engine in the Mustache syntax. Autosave file
// names are rendered with it, but it handles the whole syntax: values with
// three escaping modes, sections, inverted sections, callable sections,
// partials, comments, custom delimiters and standalone lines.
namespace Mustache {

class Renderer;

// Supplies the text of a partial by its name.
class PartialSource
{
public:
    virtual ~PartialSource() = default;
    virtual QString partialText(const QString &name) = 0;
};

// Partials kept in memory and found by their exact name; an unknown name
// yields an empty partial.
class PartialMap : public PartialSource
{
public:
    PartialMap() = default;
    explicit PartialMap(const QHash<QString, QString> &partials);
    QString partialText(const QString &name) override;
    void insert(const QString &name, const QString &text);

private:
    QHash<QString, QString> m_partials;
};

// The values a template is rendered against, seen through the key of a tag.
class Context
{
public:
    explicit Context(PartialSource *partials = nullptr);
    virtual ~Context();
    Context(const Context &) = delete;
    Context &operator=(const Context &) = delete;

    virtual QString lookupText(const QString &key) const = 0;
    virtual bool isFalsy(const QString &key) const = 0;
    virtual int listLength(const QString &key) const = 0;
    // index -1 enters the value itself, index i its list element i.
    virtual void enterSection(const QString &key, int index) = 0;
    virtual void leaveSection() = 0;
    virtual bool isCallable(const QString &key) const;
    virtual QString callSection(const QString &key, const QString &text, Renderer *renderer);

    PartialSource *partialSource() const { return m_partials; }
    void setPartialSource(PartialSource *partials) { m_partials = partials; }
    // Empty when there is no partial source.
    QString partialText(const QString &name) const;

private:
    PartialSource *m_partials = nullptr;
};

// A context over a tree of QVariant values (maps, hashes, lists, strings,
// numbers, booleans). Sections push the value they enter on a stack; keys are
// looked up from the innermost value outwards.
class QtVariantContext : public Context
{
public:
    // A callable section value: gets the unrendered section text, the renderer
    // and the context, and returns the text to insert.
    using fn_t = std::function<QString(const QString &, Renderer *, Context *)>;

    explicit QtVariantContext(const QVariant &root, PartialSource *partials = nullptr);

    QString lookupText(const QString &key) const override;
    bool isFalsy(const QString &key) const override;
    int listLength(const QString &key) const override;
    void enterSection(const QString &key, int index) override;
    void leaveSection() override;
    bool isCallable(const QString &key) const override;
    QString callSection(const QString &key, const QString &text, Renderer *renderer) override;

    // The value a key denotes in the current stack; null when none.
    QVariant value(const QString &key) const;

private:
    QList<QVariant> m_stack;
};

class Renderer
{
public:
    // Sections, partials and callables nested deeper than this stop the
    // rendering with an error instead of exhausting the stack.
    static constexpr int kMaxNesting = 200;

    static const QString kDefaultStartMarker;
    static const QString kDefaultEndMarker;

    // Renders the whole template and returns the output up to its end or up
    // to the first error. A callable section may call it again for its text;
    // that inner call keeps the outer state and any error stops both.
    QString renderTemplate(const QString &templateText, Context *context);

    QString errorMessage() const { return m_errorMessage; }
    int errorPosition() const { return m_errorPosition; }
    QString errorPartial() const { return m_errorPartial; }

private:
    enum class TagType { Null, Value, SectionStart, InvertedSectionStart, SectionEnd, Comment, Partial, SetDelimiter };
    enum EscapeMode { Escape = 0, Unescape = 1, Raw = 2 };

    struct Tag
    {
        TagType type = TagType::Null;
        QString key;
        int start = 0;
        int end = 0;
        int escapeMode = Escape;
        int indentation = 0;
        QString newStartMarker;
        QString newEndMarker;
    };

    // Appends the output of [from, to) to out: nested sections and partials
    // write into one buffer instead of copying their output up every level.
    void render(const QString &templateText, int from, int to, Context *context, QString &out);
    void renderSection(const QString &templateText, const Tag &tag, int to, Context *context, QString &out, int &pos);
    void renderPartial(const Tag &tag, Context *context, QString &out);
    Tag findTag(const QString &templateText, int pos, int to);
    Tag findEndTag(const QString &templateText, const Tag &startTag, int to);
    void readSetDelimiter(const QString &templateText, int contentStart, int contentEnd, Tag &tag);
    void widenStandalone(const QString &templateText, int pos, Tag &tag) const;
    void applyDelimiters(const Tag &tag);
    bool enterNesting(int position);
    void setError(const QString &message, int position);

    QString m_errorMessage;
    int m_errorPosition = -1;
    QString m_errorPartial;

    QString m_startMarker = kDefaultStartMarker;
    QString m_endMarker = kDefaultEndMarker;
    QStringList m_partialStack;
    int m_nesting = 0;
};

// Escape mode 0 of a value tag: &, <, > and the double quote as entities.
QString escapeHtml(const QString &text);
// Escape mode 1: turns &lt;, &gt;, &quot; and &amp; back into characters.
QString unescapeHtml(const QString &text);

} // namespace Mustache

Q_DECLARE_METATYPE(Mustache::QtVariantContext::fn_t)
