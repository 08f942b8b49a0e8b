#pragma once

#include <QFrame>

class QLabel;

// A large read-out: a title above a value, used by the result widgets.
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

private:
    QLabel *m_title = nullptr;
    QLabel *m_value = nullptr;
};
