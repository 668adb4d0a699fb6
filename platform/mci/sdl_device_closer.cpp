// The back end's closing thread: it closes devices in the order they were handed over, and
// ends, once told to stop, only when none is left.
#include "mci/sdl_device_closer.h"

#include <SDL.h>
#include <system_error>

SdlDeviceCloser::~SdlDeviceCloser() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wakeup.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void SdlDeviceCloser::close(SDL_AudioDeviceID device,
                            std::shared_ptr<void> callbackTarget) noexcept {
    Closing closing{device, std::move(callbackTarget)};
    if (queue(closing))
        m_wakeup.notify_all();
    else
        SDL_CloseAudioDevice(device);
}

bool SdlDeviceCloser::queue(Closing &closing) {
    try {
        const std::lock_guard lock(m_mutex);
        if (!m_thread.joinable())
            m_thread = std::thread(&SdlDeviceCloser::closeQueued, this);
        m_queue.push_back(std::move(closing));
        return true;
    } catch (const std::system_error &) {
        return false;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

void SdlDeviceCloser::closeQueued() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wakeup.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_queue.empty())
            return;
        Closing closing = std::move(m_queue.front());
        m_queue.pop_front();
        lock.unlock();
        SDL_CloseAudioDevice(closing.device);
        closing.callbackTarget.reset();
        lock.lock();
    }
}
