#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace gearbay {

// Checks minisign signatures against the publisher keys a program folder trusts, with libsodium:
// Ed25519 over the BLAKE2b-512 digest of the file ("ED", minisign's default) or over the file itself
// (the legacy "Ed"), and the global signature that binds the trusted comment.
class MinisignVerifier
{
public:
    // strKeys: minisign public keys (the base64 line of a .pub file), separated by white space or
    // commas; "untrusted comment:" lines may stay in. Returns false when a non-empty text holds a
    // token that is no key, so a mistyped key never goes unnoticed.
    bool setKeys(const QString &strKeys, QString *pError);
    bool hasKeys() const { return !m_vectKeys.isEmpty(); }

    // True when signature (the .minisig file's text) is a good signature of message by one of the keys.
    bool verify(const QByteArray &message, const QByteArray &signature, QString *pError) const;

private:
    struct Key
    {
        QByteArray keyId;     // 8 bytes
        QByteArray publicKey; // 32 bytes
    };
    QVector<Key> m_vectKeys;
};

} // namespace gearbay
