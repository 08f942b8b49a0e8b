#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Collects the messages logged while it exists (and still passes them on).
class MessageCapture
{
public:
    MessageCapture()
    {
        messages().clear();
        m_previous = qInstallMessageHandler(&MessageCapture::handler);
        previous() = m_previous;
    }
    ~MessageCapture() { qInstallMessageHandler(m_previous); }

    QStringList lines() const { return messages(); }
    QStringList linesStartingWith(const QString &prefix) const
    {
        QStringList result;
        for (const QString &line : messages()) {
            if (line.startsWith(prefix))
                result << line;
        }
        return result;
    }
    void clear() { messages().clear(); }

private:
    static QStringList &messages()
    {
        static QStringList list;
        return list;
    }
    static QtMessageHandler &previous()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        messages() << message;
        if (previous())
            previous()(type, context, message);
    }

    QtMessageHandler m_previous = nullptr;
};
