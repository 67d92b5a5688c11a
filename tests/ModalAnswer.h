#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers the modal dialogs that open while an action runs: each time a
// different one is the active modal widget, the answer is given it once.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QWidget*)> answer)
        : m_answer(std::move(answer))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal != m_last) {
                m_last = modal;
                ++m_count;
                // Not from inside the timer: an answer may open a dialog of
                // its own, which this timer must answer too.
                QMetaObject::invokeMethod(
                    modal, [this, modal] { m_answer(modal); }, Qt::QueuedConnection);
            }
        });
        m_timer.start(5);
    }
    int count() const { return m_count; }

private:
    std::function<void(QWidget*)> m_answer;
    QTimer m_timer;
    // A guarded pointer: the next box may be made at the address of the last.
    QPointer<QWidget> m_last;
    int m_count = 0;
};

// Runs an action and answers every message box it shows with reply (or OK
// where the box has no such button); gives back each box's title and text.
struct ShownMessage {
    QString title, text;
};

inline QList<ShownMessage> answerMessages(QMessageBox::StandardButton reply,
                                          const std::function<void()>& action)
{
    QList<ShownMessage> shown;
    ModalAnswer answer([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box)
            return;
        shown.append({box->windowTitle(), box->text()});
        if (QAbstractButton* b = box->button(reply))
            b->click();
        else
            box->accept();
    });
    action();
    return shown;
}

inline QStringList textsOf(const QList<ShownMessage>& shown)
{
    QStringList texts;
    for (const ShownMessage& m : shown)
        texts << m.text;
    return texts;
}
