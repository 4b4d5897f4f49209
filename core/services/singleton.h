#pragma once

#include <QMutex>
#include <QMutexLocker>

#include <atomic>

namespace Velmora {

// Creates a process-wide object on first use and never destroys it. The pointer is tested,
// the mutex taken, the pointer tested again, and only then the object made. Call it from a
// function defined in the library that owns the class, so there is one instance per process.
template <typename T, typename Create> T& lazySingleton(std::atomic<T*>& instance, QMutex& mutex, Create create)
{
    T* object = instance.load(std::memory_order_acquire);
    if (object)
        return *object;

    QMutexLocker lock(&mutex);
    object = instance.load(std::memory_order_relaxed);
    if (!object) {
        object = create();
        instance.store(object, std::memory_order_release);
    }
    return *object;
}

} // namespace Velmora
