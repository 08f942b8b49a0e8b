#pragma once

#include <QLabel>

// A small round status indicator in the status bar. Its look follows the
// dynamic property "status": "unknown", "success" or "failed".
class StatusLight : public QLabel
{
    Q_OBJECT
public:
    explicit StatusLight(QWidget *parent = nullptr);

    QString status() const { return property("status").toString(); }
    void setStatus(const QString &status);
};
