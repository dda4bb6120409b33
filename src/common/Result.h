#pragma once

#include <string>
#include <utility>
#include <variant>

namespace leapmark {

/** The kind of a failure, for callers that act on it rather than only show it. */
enum class ErrorKind {
    NotFound,    ///< the file or folder does not exist
    TooLarge,    ///< the input is larger than the program accepts
    DiskFull,    ///< no room left on the disk (or the file-size limit reached)
    Corrupt,     ///< the content is not what its format says
    Unsupported, ///< a well-formed input the program cannot handle (no decoder for a codec)
    Other,
};

/** What went wrong, worded for the operator: names the file and the reason where there is one. */
class Error
{
public:
    explicit Error(std::string message, ErrorKind kind = ErrorKind::Other)
        : m_message(std::move(message)), m_kind(kind)
    {}
    [[nodiscard]] const std::string& text() const { return m_message; }
    [[nodiscard]] ErrorKind kind() const { return m_kind; }

private:
    std::string m_message;
    ErrorKind m_kind;
};

/** A value or the error that prevented it. */
template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : m_state(std::in_place_index<1>, std::move(error)) {}

    [[nodiscard]] bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    [[nodiscard]] T& value() & { return std::get<0>(m_state); }
    [[nodiscard]] const T& value() const& { return std::get<0>(m_state); }
    [[nodiscard]] T&& value() && { return std::get<0>(std::move(m_state)); }
    [[nodiscard]] const Error& error() const { return std::get<1>(m_state); }

    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

private:
    std::variant<T, Error> m_state;
};

template <>
class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Error error) : m_error(std::move(error)), m_failed(true) {}

    [[nodiscard]] bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    [[nodiscard]] const Error& error() const { return m_error; }

private:
    Error m_error{std::string()};
    bool m_failed = false;
};

inline Result<void> success()
{
    return {};
}

} // namespace leapmark
