#include "support/TestSupport.h"
#include "util/Mustache.h"

using Mustache::PartialMap;
using Mustache::QtVariantContext;
using Mustache::Renderer;

namespace {

struct Result
{
    QString output;
    QString error;
    int position = -1;
    QString partial;
};

Result renderWith(const QString &templateText, const QVariant &data, Mustache::PartialSource *partials = nullptr)
{
    QtVariantContext context(data, partials);
    Renderer renderer;
    Result result;
    result.output = renderer.renderTemplate(templateText, &context);
    result.error = renderer.errorMessage();
    result.position = renderer.errorPosition();
    result.partial = renderer.errorPartial();
    return result;
}

QString render(const QString &templateText, const QVariant &data, Mustache::PartialSource *partials = nullptr)
{
    const Result result = renderWith(templateText, data, partials);
    if (!result.error.isEmpty())
        qWarning("unexpected error %s at %d", qPrintable(result.error), result.position);
    return result.output;
}

QVariant fn(const QtVariantContext::fn_t &function)
{
    return QVariant::fromValue(function);
}

} // namespace

class TestMustache : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileNameTemplates()
    {
        const QVariantMap names{{QStringLiteral("date"), QStringLiteral("20240305")},
                                {QStringLiteral("time"), QStringLiteral("140709")},
                                {QStringLiteral("name"), QStringLiteral("x&y")}};
        QCOMPARE(render(QStringLiteral("{{date}}_{{time}}"), names), QStringLiteral("20240305_140709"));
        QCOMPARE(render(QStringLiteral("{{date}}/{{name}}"), names), QStringLiteral("20240305/x&amp;y"));
        QCOMPARE(render(QStringLiteral("run.dat"), names), QStringLiteral("run.dat"));
    }

    void keys()
    {
        const QVariantMap data{{QStringLiteral("date"), QStringLiteral("D")}};
        QCOMPARE(render(QStringLiteral("[{{missing}}]"), data), QStringLiteral("[]"));
        QCOMPARE(render(QStringLiteral("[{{ date}}]"), data), QStringLiteral("[D]"));
        QCOMPARE(render(QStringLiteral("[{{\t date}}]"), data), QStringLiteral("[D]"));
        // Trailing whitespace belongs to the key.
        QCOMPARE(render(QStringLiteral("[{{date }}]"), data), QStringLiteral("[]"));
        const QVariantMap spaced{{QStringLiteral("date "), QStringLiteral("S")}};
        QCOMPARE(render(QStringLiteral("[{{date }}]"), spaced), QStringLiteral("[S]"));
        QCOMPARE(render(QStringLiteral("[{{}}]"), data), QStringLiteral("[]"));
    }

    void escaping()
    {
        const QVariantMap data{{QStringLiteral("v"), QStringLiteral("<b>&\"")},
                               {QStringLiteral("e"), QStringLiteral("a &amp; b &lt;c&gt; &quot;d&quot; &amp;lt;")}};
        QCOMPARE(render(QStringLiteral("{{v}}"), data), QStringLiteral("&lt;b&gt;&amp;&quot;"));
        QCOMPARE(render(QStringLiteral("{{{v}}}"), data), QStringLiteral("<b>&\""));
        QCOMPARE(render(QStringLiteral("{{&v}}"), data), QStringLiteral("<b>&\""));
        QCOMPARE(render(QStringLiteral("{{{e}}}"), data), data.value(QStringLiteral("e")).toString());
        // &amp; goes last, so an escaped entity comes back as the entity.
        QCOMPARE(render(QStringLiteral("{{&e}}"), data), QStringLiteral("a & b <c> \"d\" &lt;"));
        QCOMPARE(render(QStringLiteral("{{'}}"), QVariantMap{{QStringLiteral("'"), QStringLiteral("'")}}),
                 QStringLiteral("'"));
    }

    void tripleBrace()
    {
        const QVariantMap data{{QStringLiteral("a"), QStringLiteral("<")}};
        QCOMPARE(render(QStringLiteral("{{{a}}}!"), data), QStringLiteral("<!"));
        QCOMPARE(render(QStringLiteral("{{{ a}}}!"), data), QStringLiteral("<!"));
        // Without the third brace nothing after the tag is swallowed.
        QCOMPARE(render(QStringLiteral("{{{a}}x"), data), QStringLiteral("<x"));
        QCOMPARE(render(QStringLiteral("{{{a}}"), data), QStringLiteral("<"));
        QCOMPARE(render(QStringLiteral("{{=<% %>=}}<%{a}%>!"), data), QStringLiteral("<!"));
    }

    void valueTypes()
    {
        const QVariantMap data{
            {QStringLiteral("int"), 42},
            {QStringLiteral("negative"), -7},
            {QStringLiteral("long"), qlonglong(1) << 40},
            {QStringLiteral("double"), 1.5},
            {QStringLiteral("true"), true},
            {QStringLiteral("false"), false},
            {QStringLiteral("char"), QChar(u'Z')},
            {QStringLiteral("bytes"), QByteArray("raw")},
            {QStringLiteral("list"), QVariantList{1, 2}},
        };
        QCOMPARE(render(QStringLiteral("{{int}} {{negative}} {{long}} {{double}}"), data),
                 QStringLiteral("42 -7 1099511627776 1.5"));
        QCOMPARE(render(QStringLiteral("{{true}} {{false}} {{char}} {{bytes}}"), data),
                 QStringLiteral("true false Z raw"));
        QCOMPARE(render(QStringLiteral("[{{list}}]"), data), QStringLiteral("[]"));
    }

    void truthiness_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("falsy");
        QTest::newRow("null") << QVariant() << true;
        QTest::newRow("nullptr") << QVariant::fromValue(nullptr) << true;
        QTest::newRow("false") << QVariant(false) << true;
        QTest::newRow("true") << QVariant(true) << false;
        QTest::newRow("int 0") << QVariant(0) << true;
        QTest::newRow("int -1") << QVariant(-1) << false;
        QTest::newRow("uint 0") << QVariant(0u) << true;
        QTest::newRow("longlong 0") << QVariant(qlonglong(0)) << true;
        QTest::newRow("double 0") << QVariant(0.0) << true;
        QTest::newRow("double -0") << QVariant(-0.0) << true;
        QTest::newRow("double 0.25") << QVariant(0.25) << false;
        QTest::newRow("float 0") << QVariant(0.0f) << true;
        QTest::newRow("float 2") << QVariant(2.0f) << false;
        QTest::newRow("char 0") << QVariant::fromValue(char(0)) << true;
        QTest::newRow("char x") << QVariant::fromValue(char('x')) << false;
        QTest::newRow("QChar null") << QVariant(QChar()) << true;
        QTest::newRow("QChar a") << QVariant(QChar(u'a')) << false;
        QTest::newRow("empty string") << QVariant(QString()) << true;
        QTest::newRow("string 0") << QVariant(QStringLiteral("0")) << false;
        QTest::newRow("string false") << QVariant(QStringLiteral("false")) << false;
        QTest::newRow("empty bytes") << QVariant(QByteArray()) << true;
        QTest::newRow("empty list") << QVariant(QVariantList()) << true;
        QTest::newRow("list") << QVariant(QVariantList{0}) << false;
        QTest::newRow("empty map") << QVariant(QVariantMap()) << true;
        QTest::newRow("map") << QVariant(QVariantMap{{QStringLiteral("k"), 0}}) << false;
        QTest::newRow("empty hash") << QVariant(QVariantHash()) << true;
        QTest::newRow("hash") << QVariant(QVariantHash{{QStringLiteral("k"), 0}}) << false;
        QTest::newRow("empty string list") << QVariant(QStringList()) << true;
        QTest::newRow("string list") << QVariant(QStringList{QString()}) << false;
        QTest::newRow("date") << QVariant(QDate(2024, 3, 5)) << false;
    }

    void truthiness()
    {
        QFETCH(QVariant, value);
        QFETCH(bool, falsy);
        const QVariantMap data{{QStringLiteral("v"), value}};
        QtVariantContext context(data);
        QCOMPARE(context.isFalsy(QStringLiteral("v")), falsy);
        QCOMPARE(render(QStringLiteral("{{^v}}F{{/v}}"), data), falsy ? QStringLiteral("F") : QString());
        // A truthy value that is no list renders its section once.
        if (!falsy && context.listLength(QStringLiteral("v")) == 0)
            QCOMPARE(render(QStringLiteral("{{#v}}T{{/v}}"), data), QStringLiteral("T"));
    }

    void sectionsOverLists()
    {
        const QVariantMap data{
            {QStringLiteral("list"), QVariantList{QStringLiteral("x"), QStringLiteral("y")}},
            {QStringLiteral("empty"), QVariantList()},
            {QStringLiteral("strings"), QStringList{QStringLiteral("a"), QStringLiteral("<b>")}},
            {QStringLiteral("people"),
             QVariantList{QVariantMap{{QStringLiteral("name"), QStringLiteral("Ann")}},
                          QVariantMap{{QStringLiteral("name"), QStringLiteral("Ben")},
                                      {QStringLiteral("sep"), QStringLiteral("!")}}}},
            {QStringLiteral("sep"), QStringLiteral(";")},
            {QStringLiteral("matrix"), QVariantList{QVariantList{1, 2}, QVariantList{3}}},
        };
        QCOMPARE(render(QStringLiteral("{{#list}}[{{.}}]{{/list}}"), data), QStringLiteral("[x][y]"));
        QCOMPARE(render(QStringLiteral("<{{#empty}}[{{.}}]{{/empty}}>"), data), QStringLiteral("<>"));
        QCOMPARE(render(QStringLiteral("<{{^empty}}none{{/empty}}>"), data), QStringLiteral("<none>"));
        QCOMPARE(render(QStringLiteral("<{{^list}}none{{/list}}>"), data), QStringLiteral("<>"));
        QCOMPARE(render(QStringLiteral("{{#strings}}{{.}},{{/strings}}"), data), QStringLiteral("a,&lt;b&gt;,"));
        // Keys missing in an element come from the enclosing values.
        QCOMPARE(render(QStringLiteral("{{#people}}{{name}}{{sep}}{{/people}}"), data), QStringLiteral("Ann;Ben!"));
        QCOMPARE(render(QStringLiteral("{{#matrix}}({{#.}}{{.}}{{/.}}){{/matrix}}"), data), QStringLiteral("(12)(3)"));
        QCOMPARE(render(QStringLiteral("{{#list}}{{#list}}{{.}}{{/list}}|{{/list}}"), data), QStringLiteral("xy|xy|"));
    }

    void sectionsOverValues()
    {
        QVariantMap data{
            {QStringLiteral("person"),
             QVariantMap{{QStringLiteral("name"), QStringLiteral("Joe")},
                         {QStringLiteral("address"), QVariantMap{{QStringLiteral("city"), QStringLiteral("Bonn")}}}}},
            {QStringLiteral("hash"), QVariantHash{{QStringLiteral("k"), QStringLiteral("v")}}},
            {QStringLiteral("greeting"), QStringLiteral("Hi")},
            {QStringLiteral("text"), QStringLiteral("xy")},
            {QStringLiteral("bytes"), QByteArray("abc")},
            {QStringLiteral("number"), 3},
            {QStringLiteral("off"), false},
        };
        QCOMPARE(render(QStringLiteral("{{#person}}{{greeting}} {{name}}{{/person}}"), data), QStringLiteral("Hi Joe"));
        QCOMPARE(render(QStringLiteral("{{#person}}{{#address}}{{name}}/{{city}}{{/address}}{{/person}}"), data),
                 QStringLiteral("Joe/Bonn"));
        QCOMPARE(render(QStringLiteral("{{#hash}}{{k}}{{/hash}}"), data), QStringLiteral("v"));
        // Text is one value, not a list of characters or bytes.
        QCOMPARE(render(QStringLiteral("{{#text}}[{{.}}]{{/text}}"), data), QStringLiteral("[xy]"));
        QCOMPARE(render(QStringLiteral("{{#bytes}}[{{.}}]{{/bytes}}"), data), QStringLiteral("[abc]"));
        QCOMPARE(render(QStringLiteral("{{#number}}[{{.}}]{{/number}}"), data), QStringLiteral("[3]"));
        QCOMPARE(render(QStringLiteral("<{{#off}}x{{/off}}{{^off}}y{{/off}}>"), data), QStringLiteral("<y>"));
        QCOMPARE(render(QStringLiteral("<{{#missing}}x{{/missing}}{{^missing}}y{{/missing}}>"), data),
                 QStringLiteral("<y>"));
        // The section body sees the values entered for it, and they are left afterwards.
        QCOMPARE(render(QStringLiteral("{{#person}}{{name}}{{/person}}{{name}}"), data), QStringLiteral("Joe"));
    }

    void dottedNames()
    {
        const QVariantMap data{
            {QStringLiteral("a"), QVariantMap{{QStringLiteral("b"), QVariantMap{{QStringLiteral("c"), 1}}}}},
            {QStringLiteral("x"), QVariantMap{{QStringLiteral("y"), QVariantMap()}}},
            {QStringLiteral("y"), QVariantMap{{QStringLiteral("z"), QStringLiteral("outer")}}},
            {QStringLiteral("h"), QVariantHash{{QStringLiteral("k"), QVariantHash{{QStringLiteral("l"), 5}}}}},
        };
        QCOMPARE(render(QStringLiteral("{{a.b.c}}"), data), QStringLiteral("1"));
        QCOMPARE(render(QStringLiteral("{{h.k.l}}"), data), QStringLiteral("5"));
        QCOMPARE(render(QStringLiteral("[{{a.q.c}}]"), data), QStringLiteral("[]"));
        QCOMPARE(render(QStringLiteral("{{#a.b}}{{c}}{{/a.b}}"), data), QStringLiteral("1"));
        // A chain that ends empty in the inner value is looked up again in the outer ones.
        QCOMPARE(render(QStringLiteral("{{#x}}{{y.z}}{{/x}}"), data), QStringLiteral("outer"));
        QCOMPARE(render(QStringLiteral("{{#a}}{{.}}{{/a}}"), QVariantMap{{QStringLiteral("a"), QStringLiteral("A")}}),
                 QStringLiteral("A"));
        QCOMPARE(render(QStringLiteral("{{.}}"), QStringLiteral("root")), QStringLiteral("root"));
    }

    void contextStack()
    {
        const QVariantMap data{{QStringLiteral("list"), QVariantList{QStringLiteral("a"), QStringLiteral("b")}},
                               {QStringLiteral("key"), QStringLiteral("root")}};
        QtVariantContext context(data);
        QCOMPARE(context.listLength(QStringLiteral("list")), 2);
        context.enterSection(QStringLiteral("list"), 1);
        QCOMPARE(context.lookupText(QStringLiteral(".")), QStringLiteral("b"));
        QCOMPARE(context.lookupText(QStringLiteral("key")), QStringLiteral("root"));
        context.leaveSection();
        // An index past the end enters a null value.
        context.enterSection(QStringLiteral("list"), 5);
        QVERIFY(context.value(QStringLiteral(".")).isNull());
        QVERIFY(context.isFalsy(QStringLiteral(".")));
        context.leaveSection();
        QCOMPARE(context.value(QStringLiteral(".")), QVariant(data));
        // Leaving more sections than were entered leaves nothing to look up, and no crash.
        context.leaveSection();
        QVERIFY(context.value(QStringLiteral("key")).isNull());
        QVERIFY(context.value(QStringLiteral(".")).isNull());
#ifdef QT_NO_DEBUG
        context.leaveSection();
        QVERIFY(context.lookupText(QStringLiteral("key")).isEmpty());
#endif
    }

    void setDelimiters()
    {
        const QVariantMap data{{QStringLiteral("a"), QStringLiteral("A")},
                               {QStringLiteral("s"), QVariantList{1, 2}},
                               {QStringLiteral("t"), true}};
        QCOMPARE(render(QStringLiteral("{{=<% %>=}}<%a%>{{a}}"), data), QStringLiteral("A{{a}}"));
        QCOMPARE(render(QStringLiteral("{{= | | =}}|a|"), data), QStringLiteral("A"));
        QCOMPARE(render(QStringLiteral("{{=<% %>=}}<%={{ }}=%>{{a}}"), data), QStringLiteral("A"));
        // A change inside a section holds after it; each pass of the body starts
        // with the delimiters in force at the section start.
        QCOMPARE(render(QStringLiteral("{{#s}}{{=<% %>=}}<%a%><%/s%><%a%>"), data), QStringLiteral("AAA"));
        QCOMPARE(render(QStringLiteral("{{^t}}{{=<% %>=}}<%a%><%/t%><%a%>"), data), QStringLiteral("A"));
        // Partials start with the default delimiters and leave the caller's alone.
        PartialMap partials({{QStringLiteral("p"), QStringLiteral("{{a}}<%a%>")}});
        QCOMPARE(render(QStringLiteral("{{=<% %>=}}<%>p%><%a%>{{a}}"), data, &partials),
                 QStringLiteral("A<%a%>A{{a}}"));
        // A standalone delimiter tag leaves no blank line.
        QCOMPARE(render(QStringLiteral("x\n  {{=<% %>=}}  \n<%a%>\n"), data), QStringLiteral("x\nA\n"));
    }

    void setDelimiterErrors_data()
    {
        QTest::addColumn<QString>("templateText");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("position");
        const QString equals = QStringLiteral("Custom delimiters may not contain '='.");
        QTest::newRow("start") << QStringLiteral("ab{{=<= =>=}}cd") << QStringLiteral("ab") << equals << 7;
        QTest::newRow("end") << QStringLiteral("ab{{=<% =%>=}}cd") << QStringLiteral("ab") << equals << 11;
        QTest::newRow("no blank") << QStringLiteral("{{=<%=}}x") << QString() << equals << 6;
        const QString empty = QStringLiteral("Custom delimiters may not be empty.");
        QTest::newRow("nothing") << QStringLiteral("a{{=}}b") << QStringLiteral("a") << empty << 4;
        // The start delimiter runs to the next blank, here over the closing "=".
        QTest::newRow("blanks") << QStringLiteral("a{{=   =}}b") << QStringLiteral("a") << equals << 8;
        QTest::newRow("end missing") << QStringLiteral("a{{=<% =}}b") << QStringLiteral("a") << empty << 7;
    }

    void setDelimiterErrors()
    {
        QFETCH(QString, templateText);
        QFETCH(QString, output);
        QFETCH(QString, error);
        QFETCH(int, position);
        const Result result = renderWith(templateText, QVariantMap{{QStringLiteral("a"), 1}});
        QCOMPARE(result.output, output);
        QCOMPARE(result.error, error);
        QCOMPARE(result.position, position);
        QVERIFY(result.partial.isEmpty());
    }

    void structureErrors_data()
    {
        QTest::addColumn<QString>("templateText");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("position");
        QTest::newRow("mismatch") << QStringLiteral("{{#a}}x{{/b}}") << QString()
                                  << QStringLiteral("Tag start/end key mismatch") << 7;
        QTest::newRow("mismatch after text") << QStringLiteral("ok {{#a}}{{#b}}{{/b}}\n{{/c}}\n") << QStringLiteral("ok ")
                                             << QStringLiteral("Tag start/end key mismatch") << 22;
        QTest::newRow("trailing blank") << QStringLiteral("{{#a}}x{{/a }}") << QString()
                                        << QStringLiteral("Tag start/end key mismatch") << 7;
        QTest::newRow("no end") << QStringLiteral("{{#a}}x") << QString()
                                << QStringLiteral("No matching end tag found for section") << 0;
        QTest::newRow("nested no end") << QStringLiteral("y{{#a}}{{#b}}{{/a}}") << QStringLiteral("y")
                                       << QStringLiteral("No matching end tag found for section") << 1;
        QTest::newRow("inverted no end") << QStringLiteral("z\n  {{^a}}\nx") << QStringLiteral("z\n")
                                         << QStringLiteral("No matching end tag found for inverted section") << 2;
        QTest::newRow("unexpected end") << QStringLiteral("x{{/a}}y") << QStringLiteral("x")
                                        << QStringLiteral("Unexpected end tag") << 1;
    }

    void structureErrors()
    {
        QFETCH(QString, templateText);
        QFETCH(QString, output);
        QFETCH(QString, error);
        QFETCH(int, position);
        const Result result = renderWith(templateText, QVariantMap{{QStringLiteral("a"), true}});
        QCOMPARE(result.output, output);
        QCOMPARE(result.error, error);
        QCOMPARE(result.position, position);
        QVERIFY(result.partial.isEmpty());
    }

    void errorIsClearedByTheNextRender()
    {
        QtVariantContext context(QVariantMap{{QStringLiteral("a"), 1}});
        Renderer renderer;
        QCOMPARE(renderer.renderTemplate(QStringLiteral("x{{/a}}"), &context), QStringLiteral("x"));
        QCOMPARE(renderer.errorMessage(), QStringLiteral("Unexpected end tag"));
        // The failed render left custom delimiters behind; the next starts afresh.
        QCOMPARE(renderer.renderTemplate(QStringLiteral("{{=<% %>=}}<%/a%>"), &context), QString());
        QCOMPARE(renderer.renderTemplate(QStringLiteral("{{a}}"), &context), QStringLiteral("1"));
        QVERIFY(renderer.errorMessage().isEmpty());
        QCOMPARE(renderer.errorPosition(), -1);
        QVERIFY(renderer.errorPartial().isEmpty());
    }

    void standaloneLines()
    {
        const QVariantMap data{{QStringLiteral("s"), true}, {QStringLiteral("v"), QStringLiteral("V")}};
        QCOMPARE(render(QStringLiteral("a\n{{#s}}\nb\n{{/s}}\nc\n"), data), QStringLiteral("a\nb\nc\n"));
        QCOMPARE(render(QStringLiteral("a\r\n  {{#s}}\t\r\nb\r\n {{/s}}\r\nc"), data), QStringLiteral("a\r\nb\r\nc"));
        QCOMPARE(render(QStringLiteral("{{#s}}\nb\n{{/s}}"), data), QStringLiteral("b\n"));
        QCOMPARE(render(QStringLiteral("a\n  {{! note }}\nb"), data), QStringLiteral("a\nb"));
        QCOMPARE(render(QStringLiteral("a\n{{^s}}\nb\n{{/s}}\nc"), data), QStringLiteral("a\nc"));
        // Not alone on its line: the surrounding text stays.
        QCOMPARE(render(QStringLiteral("a {{#s}}b{{/s}}\n"), data), QStringLiteral("a b\n"));
        QCOMPARE(render(QStringLiteral(" {{#s}}{{/s}} \n"), data), QStringLiteral("  \n"));
        // Values are never standalone.
        QCOMPARE(render(QStringLiteral("a\n  {{v}}  \nb"), data), QStringLiteral("a\n  V  \nb"));
        QCOMPARE(render(QStringLiteral("a\n  {{missing}}\nb"), data), QStringLiteral("a\n  \nb"));
    }

    void partials()
    {
        const QVariantMap data{{QStringLiteral("name"), QStringLiteral("Joe")},
                               {QStringLiteral("list"), QVariantList{1, 2}},
                               {QStringLiteral("tree"),
                                QVariantMap{{QStringLiteral("n"), QStringLiteral("a")},
                                            {QStringLiteral("kids"),
                                             QVariantList{QVariantMap{{QStringLiteral("n"), QStringLiteral("b")},
                                                                      {QStringLiteral("kids"), QVariantList()}}}}}}};
        PartialMap partials({{QStringLiteral("hello"), QStringLiteral("Hi {{name}}")},
                             {QStringLiteral("lines"), QStringLiteral("x\n{{name}}\n")},
                             {QStringLiteral("node"), QStringLiteral("{{n}}({{#kids}}{{>node}}{{/kids}})")},
                             {QStringLiteral("item"), QStringLiteral("<{{.}}>")}});
        QCOMPARE(render(QStringLiteral("[{{>hello}}]"), data, &partials), QStringLiteral("[Hi Joe]"));
        QCOMPARE(render(QStringLiteral("[{{> hello}}]"), data, &partials), QStringLiteral("[Hi Joe]"));
        QCOMPARE(render(QStringLiteral("[{{>unknown}}]"), data, &partials), QStringLiteral("[]"));
        QCOMPARE(render(QStringLiteral("{{#list}}{{>item}}{{/list}}"), data, &partials), QStringLiteral("<1><2>"));
        QCOMPARE(render(QStringLiteral("{{#tree}}{{>node}}{{/tree}}"), data, &partials), QStringLiteral("a(b())"));
        // An indented standalone partial is indented on every line it has.
        QCOMPARE(render(QStringLiteral("a\n  {{>lines}}\nb"), data, &partials), QStringLiteral("a\n  x\n  Joe\nb"));
        QCOMPARE(render(QStringLiteral("  {{>lines}}"), data, &partials), QStringLiteral("  x\n  Joe\n"));
        // Only space characters count as indentation.
        QCOMPARE(render(QStringLiteral("\t{{>lines}}\n"), data, &partials), QStringLiteral("x\nJoe\n"));
        // Inline partials are not indented.
        QCOMPARE(render(QStringLiteral("> {{>lines}}<"), data, &partials), QStringLiteral("> x\nJoe\n<"));
    }

    void partialsWithoutSource()
    {
        QCOMPARE(render(QStringLiteral("[{{>p}}]"), QVariantMap()), QStringLiteral("[]"));
        QCOMPARE(render(QStringLiteral("a\n   {{>p}}\nb"), QVariantMap()), QStringLiteral("a\n   b"));
        QtVariantContext context{QVariantMap()};
        QVERIFY(context.partialText(QStringLiteral("p")).isEmpty());
    }

    void errorsInPartials()
    {
        PartialMap partials({{QStringLiteral("bad"), QStringLiteral("x{{/q}}")},
                             {QStringLiteral("outer"), QStringLiteral("o{{>bad}}")},
                             {QStringLiteral("self"), QStringLiteral("s{{>self}}")}});
        Result result = renderWith(QStringLiteral("a{{>outer}}b"), QVariantMap(), &partials);
        QCOMPARE(result.output, QStringLiteral("aox"));
        QCOMPARE(result.error, QStringLiteral("Unexpected end tag"));
        QCOMPARE(result.position, 1);
        QCOMPARE(result.partial, QStringLiteral("bad"));

        // Endless recursion stops with an error instead of overflowing the stack.
        result = renderWith(QStringLiteral("{{>self}}"), QVariantMap(), &partials);
        QCOMPARE(result.error, QStringLiteral("Sections and partials nested too deeply"));
        QCOMPARE(result.partial, QStringLiteral("self"));
        QCOMPARE(result.position, 0);
        QCOMPARE(result.output, QString(Renderer::kMaxNesting - 1, QLatin1Char('s')));
    }

    void deepNesting()
    {
        const QVariantMap data{{QStringLiteral("t"), true}};
        const int fine = Renderer::kMaxNesting - 1;
        QString templateText = QStringLiteral("{{#t}}").repeated(fine) + QStringLiteral("x") +
                               QStringLiteral("{{/t}}").repeated(fine);
        QCOMPARE(render(templateText, data), QStringLiteral("x"));

        templateText = QStringLiteral("{{#t}}").repeated(5000) + QStringLiteral("x") +
                       QStringLiteral("{{/t}}").repeated(5000);
        const Result result = renderWith(templateText, data);
        QCOMPARE(result.error, QStringLiteral("Sections and partials nested too deeply"));
        QCOMPARE(result.position, Renderer::kMaxNesting * 6);
        QVERIFY(result.output.isEmpty());
    }

    void callableSections()
    {
        QStringList seen;
        const QtVariantContext::fn_t upper = [&seen](const QString &text, Renderer *renderer, Mustache::Context *context) {
            seen << text;
            return renderer->renderTemplate(text, context).toUpper();
        };
        const QtVariantContext::fn_t broken = [](const QString &, Renderer *renderer, Mustache::Context *context) {
            return renderer->renderTemplate(QStringLiteral("in{{#open}}"), context);
        };
        const QVariantMap data{{QStringLiteral("up"), fn(upper)},
                               {QStringLiteral("broken"), fn(broken)},
                               {QStringLiteral("none"), fn(QtVariantContext::fn_t())},
                               {QStringLiteral("name"), QStringLiteral("joe")}};
        QCOMPARE(render(QStringLiteral("{{#up}}hi {{name}}{{/up}}!"), data), QStringLiteral("HI JOE!"));
        QCOMPARE(seen, QStringList{QStringLiteral("hi {{name}}")});

        // The inner render uses the default delimiters and gives the outer ones back.
        QCOMPARE(render(QStringLiteral("{{=<% %>=}}<%#up%>x<%name%><%/up%><%name%>"), data),
                 QStringLiteral("X<%NAME%>joe"));

        // An error inside the callable stops the whole render and is reported.
        const Result result = renderWith(QStringLiteral("a{{#broken}}{{/broken}}b"), data);
        QCOMPARE(result.output, QStringLiteral("ain"));
        QCOMPARE(result.error, QStringLiteral("No matching end tag found for section"));
        QCOMPARE(result.position, 2);

        QtVariantContext context(data);
        QVERIFY(context.isCallable(QStringLiteral("up")));
        QVERIFY(!context.isCallable(QStringLiteral("none")));
        QVERIFY(!context.isCallable(QStringLiteral("name")));
        QVERIFY(!context.isCallable(QStringLiteral("missing")));
        QCOMPARE(render(QStringLiteral("<{{#none}}x{{/none}}>"), data), QStringLiteral("<>"));
    }

    void endlessCallableRecursion()
    {
        // A callable that renders its own section again is stopped like a
        // recursive partial.
        const QtVariantContext::fn_t again = [](const QString &text, Renderer *renderer, Mustache::Context *context) {
            return renderer->renderTemplate(QStringLiteral("{{#again}}") + text + QStringLiteral("{{/again}}"), context);
        };
        const Result result = renderWith(QStringLiteral("{{#again}}.{{/again}}"), QVariantMap{{QStringLiteral("again"), fn(again)}});
        QCOMPARE(result.error, QStringLiteral("Sections and partials nested too deeply"));
    }

    void baseContextDefaults()
    {
        // A context of its own only needs the lookup operations.
        class Flat : public Mustache::Context
        {
        public:
            QString lookupText(const QString &key) const override { return key.toUpper(); }
            bool isFalsy(const QString &key) const override { return key.startsWith(QLatin1Char('n')); }
            int listLength(const QString &) const override { return 0; }
            void enterSection(const QString &, int) override { ++entered; }
            void leaveSection() override { --entered; }
            int entered = 0;
        };
        Flat flat;
        Renderer renderer;
        QVERIFY(!flat.isCallable(QStringLiteral("x")));
        QVERIFY(flat.callSection(QStringLiteral("x"), QStringLiteral("t"), &renderer).isEmpty());
        QCOMPARE(renderer.renderTemplate(QStringLiteral("{{a}}{{#yes}}{{b}}{{/yes}}{{#no}}c{{/no}}{{>p}}"), &flat),
                 QStringLiteral("AB"));
        QCOMPARE(flat.entered, 0);
    }
};

OVRA_TEST_CORE_MAIN(TestMustache)
#include "tst_mustache.moc"
