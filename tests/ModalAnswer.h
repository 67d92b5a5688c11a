#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

// Answers the modal dialogs that open while an action runs: each time one is
// the active modal widget, the answer is given it once.
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
                m_answer(modal);
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
