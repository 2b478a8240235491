#pragma once
// The outcome of an operation on user files or input: a value, or a message the user can act on.

#include <string>
#include <utility>
#include <variant>

namespace wickly {

struct Error
{
    std::string message;
};

template <class T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_v(std::move(value)) {}
    Result(Error e) : m_v(std::move(e)) {}

    bool ok() const { return m_v.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<0>(m_v); }
    const T& value() const { return std::get<0>(m_v); }
    const std::string& message() const { return std::get<1>(m_v).message; }

private:
    std::variant<T, Error> m_v;
};

struct Ok
{
};
using Status = Result<Ok>;

} // namespace wickly
