#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The application object. Every exception that leaves an event handler is
// caught here and handed to the failure handler; none escapes the event loop.
class KehrwerkApplication : public QApplication {
    Q_OBJECT
public:
    using FailureHandler = std::function<void(QObject* sender, const std::exception& failure)>;

    KehrwerkApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
    void setFailureHandler(FailureHandler handler) { m_handler = std::move(handler); }

    QString helpFile() const { return m_helpFile; }
    void setHelpFile(const QString& name) { m_helpFile = name; }

private:
    void fail(QObject* sender, const std::exception& failure);

    FailureHandler m_handler;
    QString m_helpFile;
};
