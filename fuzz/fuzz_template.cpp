// Fuzzes the template renderer. The input is the template, optionally
// followed by the texts of the partials "a" and "b", each introduced by a byte
// 0x01. The values are a fixed tree with every kind of value the renderer
// distinguishes, two callable sections and a partial of its own.

#include "util/Mustache.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <cstddef>
#include <cstdint>

namespace {

using Mustache::QtVariantContext;

const QVariant &rootValue()
{
    static const QVariant root = [] {
        const QtVariantContext::fn_t render = [](const QString &text, Mustache::Renderer *renderer,
                                                 Mustache::Context *context) {
            return renderer->renderTemplate(text, context);
        };
        const QtVariantContext::fn_t raw = [](const QString &text, Mustache::Renderer *, Mustache::Context *) {
            return text;
        };
        const QVariantMap person{{QStringLiteral("name"), QStringLiteral("Joe <&> \"q\"")},
                                 {QStringLiteral("age"), 42},
                                 {QStringLiteral("address"), QVariantMap{{QStringLiteral("city"), QStringLiteral("Bonn")}}}};
        return QVariant(QVariantMap{
            {QStringLiteral("name"), QStringLiteral("x&y")},
            {QStringLiteral("date"), QStringLiteral("20240305")},
            {QStringLiteral("time"), QStringLiteral("140709")},
            {QStringLiteral("entity"), QStringLiteral("&amp;lt;&quot;")},
            {QStringLiteral("empty"), QString()},
            {QStringLiteral("zero"), 0},
            {QStringLiteral("pi"), 3.14},
            {QStringLiteral("yes"), true},
            {QStringLiteral("no"), false},
            {QStringLiteral("nothing"), QVariant()},
            {QStringLiteral("person"), person},
            {QStringLiteral("hash"), QVariantHash{{QStringLiteral("k"), QStringLiteral("v")}}},
            {QStringLiteral("one"), QVariantList{person}},
            {QStringLiteral("two"), QVariantList{QStringLiteral("x"), QStringLiteral("y")}},
            {QStringLiteral("none"), QVariantList()},
            {QStringLiteral("words"), QStringList{QStringLiteral("a"), QStringLiteral("b")}},
            {QStringLiteral("nested"), QVariantList{QVariantList{1}}},
            {QStringLiteral("bytes"), QByteArray("raw")},
            {QStringLiteral("render"), QVariant::fromValue(render)},
            {QStringLiteral("raw"), QVariant::fromValue(raw)},
        });
    }();
    return root;
}

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    // Each nesting of a section over a two-element list doubles the work;
    // allow enough of them to exercise nesting without exponential inputs.
    if (bytes.count("two") + bytes.count("words") > 10)
        return 0;

    const QList<QByteArray> parts = bytes.split('\x01');
    const QString templateText = QString::fromUtf8(parts.value(0));
    Mustache::PartialMap partials({
        {QStringLiteral("a"), QString::fromUtf8(parts.value(1))},
        {QStringLiteral("b"), QString::fromUtf8(parts.value(2))},
        {QStringLiteral("list"), QStringLiteral("{{#two}}\n  [{{.}}]\n{{/two}}\n")},
    });

    QtVariantContext context(rootValue(), &partials);
    Mustache::Renderer renderer;
    const QString output = renderer.renderTemplate(templateText, &context);
    const QString message = renderer.errorMessage();
    const int position = renderer.errorPosition();

    check(message.isEmpty() == (position == -1));
    check(message.isEmpty() || position >= 0);
    if (message.isEmpty())
        check(renderer.errorPartial().isEmpty());
    else if (renderer.errorPartial().isEmpty())
        check(position <= templateText.size());

    // Text without a start delimiter is copied unchanged.
    if (!templateText.contains(QLatin1String("{{"))) {
        check(message.isEmpty());
        check(output == templateText);
    }

    // A second render with the same renderer starts from a clean state.
    check(renderer.renderTemplate(templateText, &context) == output);
    check(renderer.errorMessage() == message && renderer.errorPosition() == position);
    return 0;
}
