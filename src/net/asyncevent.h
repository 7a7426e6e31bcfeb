// Worker threads and the once-per-update pass over asynchronous event sources.
#pragma once

#include <atomic>
#include <vector>

// A thread object whose body runs on a detached operating-system thread; a new
// thread is made by every Start after the previous body has returned.
class BBThread {
public:
    virtual ~BBThread() {}
    // Does nothing while running. A thread that cannot be created prints
    // "CreateThread failed!" and ends the process with -1.
    virtual void Start();
    virtual bool IsRunning();
    // The body; may run off the main thread, so it must not touch game state.
    virtual void Run__UNSAFE__() {}

protected:
    // 0 never started, 1 running, 2 finished. The main thread sets 1, the
    // worker sets 2 once its body has returned.
    std::atomic<int> _running{0};

private:
    static void run(void* thread);
};

class c_Thread : public BBThread {};

class c_IAsyncEventSource {
public:
    virtual ~c_IAsyncEventSource() {}
    // Main thread, once per update.
    virtual void p_UpdateAsyncEvents() = 0;
};

// Sources in order of addition; never removed.
extern std::vector<c_IAsyncEventSource*> bb_asyncevent__sources;
// The source being updated, null outside a pass.
extern c_IAsyncEventSource* bb_asyncevent__current;

void bb_asyncevent_Init();
// Raises "Async event source is already active" for a source added twice.
void bb_asyncevent_AddAsyncEventSource(c_IAsyncEventSource* source);
bool bb_asyncevent_IsAsyncEventSource(c_IAsyncEventSource* source);
// Updates every source once; returns at once when called from inside a pass.
int bb_asyncevent_UpdateAsyncEvents();
