#pragma once

#include <QLabel>

// A small round status indicator in the status bar. Its look follows the
// dynamic property "status": "unknown", "success", "failed" or "off" (grey:
// switched off in the settings).
class StatusLight : public QLabel
{
    Q_OBJECT
public:
    explicit StatusLight(QWidget *parent = nullptr);

    QString status() const { return property("status").toString(); }
    void setStatus(const QString &status);
};
