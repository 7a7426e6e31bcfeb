#include "net/asyncevent.h"

#include <algorithm>
#include <cstdlib>

#include "host/bb_runtime.h"
#include "platform/platform.h"

std::vector<c_IAsyncEventSource*> bb_asyncevent__sources;
c_IAsyncEventSource* bb_asyncevent__current = nullptr;

void BBThread::Start() {
    if (_running.load(std::memory_order_acquire) == 1) return;
    _running.store(1, std::memory_order_release);
    if (!plat_StartThread(&BBThread::run, this)) {
        bbPrint(u"CreateThread failed!");
        std::exit(-1);
    }
}

bool BBThread::IsRunning() {
    return _running.load(std::memory_order_acquire) == 1;
}

void BBThread::run(void* thread) {
    BBThread* self = (BBThread*)thread;
    self->Run__UNSAFE__();
    self->_running.store(2, std::memory_order_release);
}

void bb_asyncevent_Init() {
    // Sources of an earlier run are forgotten, not freed: a worker of theirs
    // may still be busy.
    bb_asyncevent__sources.clear();
    bb_asyncevent__sources.reserve(64);
    bb_asyncevent__current = nullptr;
}

bool bb_asyncevent_IsAsyncEventSource(c_IAsyncEventSource* source) {
    return std::find(bb_asyncevent__sources.begin(), bb_asyncevent__sources.end(), source) !=
           bb_asyncevent__sources.end();
}

void bb_asyncevent_AddAsyncEventSource(c_IAsyncEventSource* source) {
    if (bb_asyncevent_IsAsyncEventSource(source)) bbError(u"Async event source is already active");
    bb_asyncevent__sources.push_back(source);
}

int bb_asyncevent_UpdateAsyncEvents() {
    if (bb_asyncevent__current) return 0;
    // A runtime error from a handler must not leave the pump locked.
    struct PassGuard {
        ~PassGuard() { bb_asyncevent__current = nullptr; }
    } guard;
    // Sources added by a handler during the pass are updated in the same pass.
    for (size_t i = 0; i < bb_asyncevent__sources.size(); ++i) {
        bb_asyncevent__current = bb_asyncevent__sources[i];
        bb_asyncevent__current->p_UpdateAsyncEvents();
    }
    return 0;
}
