#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <mutex>

// Collects the messages logged while it exists (and still passes them on).
class MessageCapture
{
public:
    MessageCapture()
    {
        clear();
        m_previous = qInstallMessageHandler(&MessageCapture::handler);
        previous() = m_previous;
    }
    ~MessageCapture() { qInstallMessageHandler(m_previous); }

    QStringList lines() const
    {
        std::lock_guard<std::mutex> lock(guard());
        return messages();
    }
    QStringList linesStartingWith(const QString &prefix) const
    {
        QStringList result;
        for (const QString &line : lines()) {
            if (line.startsWith(prefix))
                result << line;
        }
        return result;
    }
    void clear()
    {
        std::lock_guard<std::mutex> lock(guard());
        messages().clear();
    }

private:
    static QStringList &messages()
    {
        static QStringList list;
        return list;
    }
    // Messages also come from the HTTP server's threads.
    static std::mutex &guard()
    {
        static std::mutex mutex;
        return mutex;
    }
    static QtMessageHandler &previous()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        {
            std::lock_guard<std::mutex> lock(guard());
            messages() << message;
        }
        if (previous())
            previous()(type, context, message);
    }

    QtMessageHandler m_previous = nullptr;
};
