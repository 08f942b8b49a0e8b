#pragma once

#include <QFont>
#include <QFrame>

class QLabel;

// A large read-out: a title above a value, used by the result widgets. The
// value's digits grow with the box, so they can be read from the bed.
class ResultReadout : public QFrame
{
    Q_OBJECT
public:
    explicit ResultReadout(QWidget *parent = nullptr);

    QString title() const;
    QString value() const;
    QLabel *titleLabel() const { return m_title; }
    QLabel *valueLabel() const { return m_value; }

public Q_SLOTS:
    void setTitle(const QString &title);
    void setValue(const QString &value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitTitleFont();
    void fitValueFont();

    QLabel *m_title = nullptr;
    QLabel *m_value = nullptr;
    QFont m_titleFont;
    QString m_titleText;
};
