// Late-bound automation of Publisher.Application. Text arguments are passed
// by reference (VT_BSTR | VT_BYREF) as the server's members expect; a text
// the server changes is handed back through the caller's reference.
#include "platform/windows/PublisherAutomation.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace fq::platform::windows {

namespace {

const wchar_t* const progId = L"Publisher.Application";

std::wstring wide(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string narrow(const wchar_t* text, int length)
{
    if (!text || length <= 0)
        return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

std::string narrow(BSTR text)
{
    return text ? narrow(text, static_cast<int>(SysStringLen(text))) : std::string();
}

// The system's description of a failure code, or the code in hexadecimal.
std::string describe(HRESULT hr)
{
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0,
                                   nullptr);
    std::string text;
    if (n > 0 && buffer) {
        text = narrow(buffer, static_cast<int>(n));
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
            text.pop_back();
    }
    if (buffer)
        LocalFree(buffer);
    char code[16];
    wsprintfA(code, "0x%08lX", static_cast<unsigned long>(hr));
    return text.empty() ? std::string("error ") + code : text + " (" + code + ")";
}

[[noreturn]] void fail(const std::string& what, HRESULT hr)
{
    throw std::runtime_error(what + ": " + describe(hr));
}

// Holds one IDispatch reference.
class Dispatch {
public:
    Dispatch() = default;
    explicit Dispatch(IDispatch* p) : p_(p) {}
    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;
    Dispatch(Dispatch&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    Dispatch& operator=(Dispatch&& other) noexcept
    {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ~Dispatch() { reset(); }

    void reset()
    {
        if (p_)
            p_->Release();
        p_ = nullptr;
    }
    IDispatch* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    IDispatch* p_ = nullptr;
};

// Calls a method by name with the given arguments (in call order); the
// result is stored in result when it is not null.
void invoke(IDispatch* object, const wchar_t* member, VARIANT* arguments, UINT count, VARIANT* result,
            const std::string& what)
{
    if (!object)
        throw std::runtime_error(what + ": the object does not exist");
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    HRESULT hr = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        fail(what + ": the member is not known", hr);

    // IDispatch takes the arguments in reverse order.
    VARIANT reversed[4];
    if (count > 4)
        throw std::runtime_error(what + ": too many arguments");
    for (UINT i = 0; i < count; ++i)
        reversed[i] = arguments[count - 1 - i];
    DISPPARAMS params{};
    params.rgvarg = count ? reversed : nullptr;
    params.cArgs = count;

    EXCEPINFO exception{};
    UINT argumentError = 0;
    // A call whose result is used may also be a property read, as late-bound
    // callers ask for it.
    const WORD flags = result ? WORD(DISPATCH_METHOD | DISPATCH_PROPERTYGET) : WORD(DISPATCH_METHOD);
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception, &argumentError);
    if (hr == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn)
            exception.pfnDeferredFillIn(&exception);
        std::string description = narrow(exception.bstrDescription);
        const std::string source = narrow(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrHelpFile);
        if (description.empty())
            description = describe(exception.scode ? exception.scode : hr);
        throw std::runtime_error(what + ": " + description + (source.empty() ? "" : " (" + source + ")"));
    }
    if (FAILED(hr))
        fail(what, hr);
}

// One text argument passed by reference. The server may change the text;
// the change is written back to the caller's text.
class TextByReference {
public:
    explicit TextByReference(const std::string& text) : text_(SysAllocString(wide(text).c_str()))
    {
        if (!text_ && !text.empty())
            throw std::runtime_error("Out of memory for the text argument");
        VariantInit(&variant_);
        variant_.vt = VT_BSTR | VT_BYREF;
        variant_.pbstrVal = &text_;
    }
    TextByReference(const TextByReference&) = delete;
    TextByReference& operator=(const TextByReference&) = delete;
    ~TextByReference() { SysFreeString(text_); }

    VARIANT* argument() { return &variant_; }
    std::string text() const { return narrow(text_); }

private:
    BSTR text_;
    VARIANT variant_;
};

// COM for this thread, for as long as an application object lives.
class ComScope {
public:
    ComScope()
    {
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        initialized_ = SUCCEEDED(hr); // S_OK or S_FALSE; RPC_E_CHANGED_MODE leaves COM as it is
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope()
    {
        if (initialized_)
            CoUninitialize();
    }

private:
    bool initialized_ = false;
};

class PublisherDocument : public PublishingDocument {
public:
    PublisherDocument(Dispatch document, std::string source)
        : document_(std::move(document)), source_(std::move(source))
    {
    }

    void SaveAs(std::string& path) override
    {
        TextByReference file(path);
        invoke(document_.get(), L"SaveAs", file.argument(), 1, nullptr, "Publisher could not save \"" + path + "\"");
        path = file.text();
    }

    void Close() override
    {
        invoke(document_.get(), L"Close", nullptr, 0, nullptr, "Publisher could not close \"" + source_ + "\"");
        document_.reset();
    }

private:
    Dispatch document_;
    std::string source_;
};

class PublisherApplication : public PublishingApplication {
public:
    PublisherApplication()
    {
        CLSID clsid{};
        HRESULT hr = CLSIDFromProgID(progId, &clsid);
        if (FAILED(hr))
            fail("Publisher.Application is not registered", hr);
        IDispatch* object = nullptr;
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&object));
        if (FAILED(hr) || !object)
            fail("Publisher.Application could not be started", FAILED(hr) ? hr : E_NOINTERFACE);
        application_ = Dispatch(object);
    }

    std::unique_ptr<PublishingDocument> Open(std::string& path) override
    {
        TextByReference file(path);
        VARIANT result;
        VariantInit(&result);
        const std::string what = "Publisher could not open \"" + path + "\"";
        invoke(application_.get(), L"Open", file.argument(), 1, &result, what);
        path = file.text();
        if (result.vt != VT_DISPATCH || !result.pdispVal) {
            VariantClear(&result);
            throw std::runtime_error(what + ": no document was returned");
        }
        Dispatch document(result.pdispVal); // takes the reference held by result
        return std::make_unique<PublisherDocument>(std::move(document), path);
    }

    void quit() override
    {
        invoke(application_.get(), L"quit", nullptr, 0, nullptr, "Publisher could not be ended");
        application_.reset();
    }

private:
    ComScope com_; // declared first: COM outlives the application object
    Dispatch application_;
};

class PublisherFactory : public PublishingApplicationFactory {
public:
    std::unique_ptr<PublishingApplication> create() override { return std::make_unique<PublisherApplication>(); }
};

} // namespace

bool isPublisherRegistered()
{
    ComScope com;
    CLSID clsid{};
    return SUCCEEDED(CLSIDFromProgID(progId, &clsid));
}

std::unique_ptr<PublishingApplicationFactory> makePublisherFactory()
{
    return std::make_unique<PublisherFactory>();
}

} // namespace fq::platform::windows
