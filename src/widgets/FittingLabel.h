#pragma once

#include <QFont>
#include <QLabel>

// A label of large type whose text gets smaller where its width does not
// hold it, instead of widening the window: the window stays usable at its
// smallest size and in the longer German texts.
class FittingLabel : public QLabel
{
    Q_OBJECT
public:
    explicit FittingLabel(const QString &text = QString(), QWidget *parent = nullptr);

    // The font of the text where there is room.
    void setFullFont(const QFont &font);
    QFont fullFont() const { return m_full; }

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void fit();

    QFont m_full;
    QString m_fittedText;
    int m_fittedWidth = -1;
};
