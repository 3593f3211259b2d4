#pragma once

#include "base/Problem.h"

#include <QString>

#include <optional>
#include <utility>
#include <variant>

// A failure with a description for the log and, where the user is told of it, its kind.
struct Error
{
    QString description;
    std::optional<Problem> problem = std::nullopt; // what the window and the tool word

    // A problem the window and the tool word; the log reads its log text.
    static Error of(Problem problem)
    {
        QString logged = problem.logText();
        return Error{std::move(logged), std::move(problem)};
    }
    // The problem to show: its kind where known, else the description as it is.
    Problem shown() const { return problem.value_or(Problem::said(description)); }
};

// A value or an error.
template <typename T, typename E = Error> class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_state(std::in_place_index<0>, std::move(value))
    {}
    Result(E error)
        : m_state(std::in_place_index<1>, std::move(error))
    {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<0>(m_state); }
    T& value() & { return std::get<0>(m_state); }
    // By value, so a range-for over a temporary result does not dangle.
    T value() && { return std::get<0>(std::move(m_state)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }

    const E& error() const { return std::get<1>(m_state); }

private:
    std::variant<T, E> m_state;
};

// Success, or an error.
template <typename E> class [[nodiscard]] Result<void, E>
{
public:
    Result() = default;
    Result(E error)
        : m_error(std::move(error))
        , m_failed(true)
    {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const E& error() const { return m_error; }

private:
    E m_error{};
    bool m_failed = false;
};

using Outcome = Result<void>;
