#include "widgets/StateBanner.h"

#include "widgets/StyleProperty.h"

StateBanner::StateBanner(QWidget *parent)
    : FittingLabel(QString(), parent)
{
    setObjectName(QStringLiteral("stateBanner"));
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_StyledBackground, true);
    // Readable from the bed; a long text gets smaller, not the window wider.
    QFont big = font();
    big.setPointSize(18);
    big.setBold(true);
    setFullFont(big);
    setStyleSheet(QStringLiteral("StateBanner { color: white; border-radius: 6px; padding: 4px 10px; }"
                                 "StateBanner[bannerKind=\"start\"] { background-color: #c8a810; }"
                                 "StateBanner[bannerKind=\"routine\"] { background-color: #e07820; }"
                                 "StateBanner[bannerKind=\"training\"] { background-color: #e07820; }"
                                 "StateBanner[bannerKind=\"review\"] { background-color: #3070d0; }"
                                 "StateBanner[bannerKind=\"commit\"] { background-color: #3070d0; }"
                                 "StateBanner[bannerKind=\"pause\"] { background-color: #607080; }"
                                 "StateBanner[bannerKind=\"dropTest\"] { background-color: #8050b0; }"
                                 "StateBanner[bannerKind=\"question\"] { background-color: #c02828; }"));
    setVisible(false);
}

QString StateBanner::textFor(const QString &kind)
{
    if (kind == QLatin1String("start"))
        return tr("START: waiting for the first landing · Esc: back to READY");
    if (kind == QLatin1String("routine"))
        return tr("ROUTINE: landings are counted · Space ends the routine");
    if (kind == QLatin1String("review"))
        return tr("REVIEW · Space: confirm · X: dismiss · D: details · arrow keys: edit");
    if (kind == QLatin1String("commit"))
        return tr("CONFIRMED: saving and sending the routine");
    if (kind == QLatin1String("dropTest"))
        return tr("SINGLE DROP TEST: drop the weight on trampoline 1");
    if (kind == QLatin1String("training"))
        return tr("TRAINING: landings are counted · Space: pause · Esc: end training");
    if (kind == QLatin1String("pause"))
        return tr("PAUSE · Space: go on training · Esc: end training");
    return QString();
}

void StateBanner::setKind(const QString &kind)
{
    m_kind = kind;
    refresh();
}

void StateBanner::setQuestion(const QString &question)
{
    m_question = question;
    refresh();
}

void StateBanner::refresh()
{
    const bool asking = !m_question.isEmpty();
    setText(asking ? m_question : textFor(m_kind));
    ovra::widgets::setStyleProperty(this, "bannerKind", asking ? QStringLiteral("question") : m_kind);
    setVisible(asking || !text().isEmpty());
}
