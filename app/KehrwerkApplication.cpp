#include "app/KehrwerkApplication.h"

#include <cstdio>
#include <stdexcept>

KehrwerkApplication::KehrwerkApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool KehrwerkApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        fail(receiver, e);
    } catch (...) {
        fail(receiver, std::runtime_error("unknown failure"));
    }
    return false;
}

// A failure inside the handler itself must not escape either.
void KehrwerkApplication::fail(QObject* sender, const std::exception& failure)
{
    try {
        if (m_handler) {
            m_handler(sender, failure);
            return;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kehrwerk: failure in the failure handler: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "kehrwerk: failure in the failure handler\n");
    }
    std::fprintf(stderr, "kehrwerk: %s\n", failure.what());
}
