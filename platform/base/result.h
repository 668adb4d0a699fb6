// A value, or the error that prevented it: how a layer passes its failures around inside and
// turns them into its callers' error numbers only at its edge.
#pragma once

#include <utility>
#include <variant>

template <typename T, typename Error> class Result {
  public:
    Result(T value)
        : m_state(std::move(value)) {}
    Result(Error error)
        : m_state(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    T &value() { return std::get<T>(m_state); }
    const T &value() const { return std::get<T>(m_state); }
    const Error &error() const { return std::get<Error>(m_state); }

  private:
    std::variant<T, Error> m_state;
};
