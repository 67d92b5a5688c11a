#pragma once

#include <QApplication>
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
    QWidget* m_last = nullptr;
    int m_count = 0;
};
