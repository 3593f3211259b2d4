#pragma once

#include <QCoreApplication>
#include <QString>

// The errors of the store client, with the text the user sees.
struct SkillStoreError
{
    Q_DECLARE_TR_FUNCTIONS(SkillStoreError)

public:
    enum class Kind
    {
        networkError,
        decodingError,
        invalidURL,
        invalidResponse,
        noSKILLfileFound
    };

    Kind kind = Kind::invalidResponse;
    QString underlying; // the description of the network or decoding error, for those two kinds

    static SkillStoreError networkError(const QString& description)
    {
        return {Kind::networkError, description};
    }
    static SkillStoreError decodingError(const QString& description)
    {
        return {Kind::decodingError, description};
    }
    static SkillStoreError invalidURL() { return {Kind::invalidURL, {}}; }
    static SkillStoreError invalidResponse() { return {Kind::invalidResponse, {}}; }
    static SkillStoreError noSKILLfileFound() { return {Kind::noSKILLfileFound, {}}; }

    QString description() const;
};
