#include "framework/sfml/X11ClipboardOwner.hpp"

#include "foundation/tools/Log.hpp"
#include "framework/sfml/ClipboardBitmap.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

// A program that asked for a large answer and then vanished must not take the
// whole process down: Xlib's default error handler exits. Errors on our own
// connection are therefore swallowed; everything else goes to the handler
// that was installed before (SFML's or Xlib's default).
std::atomic<Display*> ownDisplay{nullptr};
XErrorHandler previousErrorHandler = nullptr;

int onXError(Display* display, XErrorEvent* error)
{
    if (display == ownDisplay.load())
        return 0;
    return previousErrorHandler ? previousErrorHandler(display, error) : 0;
}

// A large answer in progress: sent chunk by chunk, each after the requestor
// deleted the previous one.
struct Transfer {
    Window requestor;
    Atom property;
    Atom type;
    std::shared_ptr<const Bytes> data;
    std::size_t offset;
    Clock::time_point lastActivity;
};

// A requestor that stops reading for this long is forgotten.
constexpr std::chrono::seconds TransferTimeout(30);

} // namespace

struct X11ClipboardOwner::Impl {
    // Set up on the calling thread before the owner's thread starts.
    Display* display = nullptr;
    Window window = 0;
    Atom clipboard = 0, targets = 0, timestamp = 0, incr = 0, png = 0, bmp = 0, stampProperty = 0;
    int wake[2] = {-1, -1};
    std::size_t chunkSize = 0;
    std::thread thread;

    // Shared between the caller and the owner's thread.
    std::mutex mutex;
    std::optional<sf::Image> pending;
    bool quit = false;

    // The owner's thread only.
    std::optional<sf::Image> image;
    bool awaitingStamp = false;
    bool owning = false;
    Time ownedSince = CurrentTime;
    std::shared_ptr<const Bytes> pngData, bmpData;
    std::vector<Transfer> transfers;

    bool open();
    void close();
    void run();
    void takePending();
    void handle(XEvent& event);
    void answer(const XSelectionRequestEvent& request);
    bool sendData(Window requestor, Atom property, Atom type, std::shared_ptr<const Bytes> data);
    void continueTransfer(const XPropertyEvent& event);
    void dropStaleTransfers();
    std::shared_ptr<const Bytes> encoded(Atom target);
};

bool X11ClipboardOwner::Impl::open()
{
    display = XOpenDisplay(nullptr);
    if (!display) {
        tools::log("Sfml", "Clipboard unavailable: cannot open the X display");
        return false;
    }
    if (pipe(wake) != 0) {
        tools::log("Sfml", "Clipboard unavailable: cannot create a wake-up pipe");
        XCloseDisplay(display);
        display = nullptr;
        return false;
    }
    ownDisplay = display;
    if (!previousErrorHandler)
        previousErrorHandler = XSetErrorHandler(onXError);

    window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, window, PropertyChangeMask);
    clipboard = XInternAtom(display, "CLIPBOARD", False);
    targets = XInternAtom(display, "TARGETS", False);
    timestamp = XInternAtom(display, "TIMESTAMP", False);
    incr = XInternAtom(display, "INCR", False);
    png = XInternAtom(display, "image/png", False);
    bmp = XInternAtom(display, "image/bmp", False);
    stampProperty = XInternAtom(display, "VELKORS_CLIPBOARD_TIME", False);

    // Answers above a quarter of the largest plain request (64 KiB on common
    // servers) go out in chunks of that size, as other X programs do.
    chunkSize = std::max<std::size_t>(4096, static_cast<std::size_t>(XMaxRequestSize(display)));
    XFlush(display);

    thread = std::thread([this] { run(); });
    return true;
}

void X11ClipboardOwner::Impl::close()
{
    if (!display)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        quit = true;
    }
    const char byte = 'q';
    if (write(wake[1], &byte, 1) < 0) {
        // The thread also wakes for X traffic; nothing better to do here.
    }
    if (thread.joinable())
        thread.join();
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    ownDisplay = nullptr;
    display = nullptr;
    ::close(wake[0]);
    ::close(wake[1]);
}

void X11ClipboardOwner::Impl::run()
{
    while (true) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            handle(event);
        }
        dropStaleTransfers();

        pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {wake[0], POLLIN, 0}};
        if (poll(fds, 2, 5000) < 0)
            continue;
        if (fds[1].revents & POLLIN) {
            char buffer[64];
            if (read(wake[0], buffer, sizeof buffer) < 0)
                continue;
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (quit)
                    return;
            }
            takePending();
        }
    }
}

void X11ClipboardOwner::Impl::takePending()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!pending)
            return;
        image = std::move(pending);
        pending.reset();
    }
    pngData.reset();
    bmpData.reset();
    // Taking a selection needs a real server time: an empty append to our own
    // window yields a PropertyNotify that carries one (handled in handle()).
    awaitingStamp = true;
    XChangeProperty(display, window, stampProperty, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XFlush(display);
}

void X11ClipboardOwner::Impl::handle(XEvent& event)
{
    switch (event.type) {
    case PropertyNotify:
        if (event.xproperty.window == window) {
            if (awaitingStamp && event.xproperty.atom == stampProperty && event.xproperty.state == PropertyNewValue) {
                awaitingStamp = false;
                XSetSelectionOwner(display, clipboard, window, event.xproperty.time);
                owning = XGetSelectionOwner(display, clipboard) == window;
                if (owning)
                    ownedSince = event.xproperty.time;
                else
                    tools::log("Sfml", "Clipboard: could not take the selection");
            }
        } else if (event.xproperty.state == PropertyDelete) {
            continueTransfer(event.xproperty);
        }
        break;
    case SelectionRequest: answer(event.xselectionrequest); break;
    case SelectionClear:
        if (event.xselectionclear.selection == clipboard) {
            // Another program copied something: our image is no longer the
            // clipboard's content.
            owning = false;
            image.reset();
            pngData.reset();
            bmpData.reset();
        }
        break;
    default: break;
    }
}

void X11ClipboardOwner::Impl::answer(const XSelectionRequestEvent& request)
{
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = None;

    // Clients older than the ICCCM name no property: answer in the target's.
    const Atom property = request.property != None ? request.property : request.target;
    const bool current = request.time == CurrentTime || request.time >= ownedSince;
    if (owning && image && request.selection == clipboard && current) {
        if (request.target == targets) {
            const Atom offered[] = {targets, timestamp, png, bmp};
            XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 4);
            reply.property = property;
        } else if (request.target == timestamp) {
            const long time = static_cast<long>(ownedSince);
            XChangeProperty(display, request.requestor, property, XA_INTEGER, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&time), 1);
            reply.property = property;
        } else if (request.target == png || request.target == bmp) {
            std::shared_ptr<const Bytes> data = encoded(request.target);
            if (data && !data->empty() && sendData(request.requestor, property, request.target, data))
                reply.property = property;
        }
    }
    XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(display);
}

bool X11ClipboardOwner::Impl::sendData(Window requestor, Atom property, Atom type, std::shared_ptr<const Bytes> data)
{
    if (data->size() <= chunkSize) {
        XChangeProperty(display, requestor, property, type, 8, PropModeReplace, data->data(),
                        static_cast<int>(data->size()));
        return true;
    }
    // Too large for one request: announce the size with INCR; the requestor
    // deletes the property to ask for each chunk.
    XSelectInput(display, requestor, PropertyChangeMask);
    const long total = static_cast<long>(data->size());
    XChangeProperty(display, requestor, property, incr, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&total), 1);
    transfers.push_back({requestor, property, type, std::move(data), 0, Clock::now()});
    return true;
}

void X11ClipboardOwner::Impl::continueTransfer(const XPropertyEvent& event)
{
    auto it = std::find_if(transfers.begin(), transfers.end(),
                           [&](const Transfer& t) { return t.requestor == event.window && t.property == event.atom; });
    if (it == transfers.end())
        return;
    Transfer& transfer = *it;
    const std::size_t left = transfer.data->size() - transfer.offset;
    const std::size_t count = std::min(left, chunkSize);
    // A zero-length chunk tells the requestor that the data is complete.
    XChangeProperty(display, transfer.requestor, transfer.property, transfer.type, 8, PropModeReplace,
                    transfer.data->data() + transfer.offset, static_cast<int>(count));
    transfer.offset += count;
    transfer.lastActivity = Clock::now();
    if (count == 0) {
        const Window requestor = transfer.requestor;
        transfers.erase(it);
        const bool stillBusy = std::any_of(transfers.begin(), transfers.end(),
                                           [&](const Transfer& t) { return t.requestor == requestor; });
        if (!stillBusy)
            XSelectInput(display, requestor, NoEventMask);
    }
    XFlush(display);
}

void X11ClipboardOwner::Impl::dropStaleTransfers()
{
    const Clock::time_point now = Clock::now();
    transfers.erase(std::remove_if(transfers.begin(), transfers.end(),
                                   [&](const Transfer& t) { return now - t.lastActivity > TransferTimeout; }),
                    transfers.end());
}

std::shared_ptr<const Bytes> X11ClipboardOwner::Impl::encoded(Atom target)
{
    if (target == bmp) {
        if (!bmpData)
            bmpData = std::make_shared<const Bytes>(makeBmpFile(makeClipboardBitmap(*image)));
        return bmpData;
    }
    if (!pngData)
        pngData = std::make_shared<const Bytes>(makePngFile(*image));
    return pngData;
}

X11ClipboardOwner& X11ClipboardOwner::instance()
{
    static X11ClipboardOwner owner;
    return owner;
}

X11ClipboardOwner::X11ClipboardOwner() : impl(std::make_unique<Impl>()) {}

X11ClipboardOwner::~X11ClipboardOwner()
{
    impl->close();
}

bool X11ClipboardOwner::offer(const sf::Image& image)
{
    static std::mutex startMutex;
    {
        std::lock_guard<std::mutex> lock(startMutex);
        if (!impl->display && !impl->open())
            return false;
    }
    {
        std::lock_guard<std::mutex> lock(impl->mutex);
        impl->pending = image;
    }
    const char byte = 'i';
    if (write(impl->wake[1], &byte, 1) < 0) {
        tools::log("Sfml", "Clipboard: cannot wake the clipboard thread");
        return false;
    }
    return true;
}
