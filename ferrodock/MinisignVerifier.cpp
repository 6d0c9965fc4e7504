#include "MinisignVerifier.h"

#include <QRegularExpression>
#include <QStringList>

#include <sodium.h>

namespace gearbay {

namespace {
constexpr int kKeyIdBytes = 8;
const char kUntrusted[] = "untrusted comment:";
const char kTrusted[] = "trusted comment: ";
} // namespace

bool MinisignVerifier::setKeys(const QString &strKeys, QString *pError)
{
    m_vectKeys.clear();
    QStringList tokens;
    for (const QString &strLine : strKeys.split(QLatin1Char('\n'))) {
        if (!strLine.trimmed().startsWith(QLatin1String(kUntrusted)))
            tokens += strLine.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
    }
    for (const QString &strToken : tokens) {
        const QByteArray raw = QByteArray::fromBase64(strToken.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (raw.size() != 2 + kKeyIdBytes + int(crypto_sign_PUBLICKEYBYTES) || !raw.startsWith("Ed")) {
            *pError = QStringLiteral("\"%1\" is not a minisign public key").arg(strToken);
            m_vectKeys.clear();
            return false;
        }
        m_vectKeys.append({raw.mid(2, kKeyIdBytes), raw.mid(2 + kKeyIdBytes)});
    }
    return true;
}

bool MinisignVerifier::verify(const QByteArray &message, const QByteArray &signature, QString *pError) const
{
    const QList<QByteArray> lines = signature.split('\n');
    if (lines.size() < 4 || !lines.at(0).startsWith(kUntrusted) || !lines.at(2).startsWith(kTrusted)) {
        *pError = QStringLiteral("signature file is not in minisign's format");
        return false;
    }
    const QByteArray sig = QByteArray::fromBase64(lines.at(1).trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    const QByteArray global = QByteArray::fromBase64(lines.at(3).trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (sig.size() != 2 + kKeyIdBytes + int(crypto_sign_BYTES) || global.size() != int(crypto_sign_BYTES)) {
        *pError = QStringLiteral("signature file is not in minisign's format");
        return false;
    }
    const QByteArray algorithm = sig.left(2);
    const QByteArray keyId = sig.mid(2, kKeyIdBytes);
    const QByteArray signatureBytes = sig.mid(2 + kKeyIdBytes);
    if (algorithm != "ED" && algorithm != "Ed") {
        *pError = QStringLiteral("unknown signature algorithm");
        return false;
    }
    const Key *pKey = nullptr;
    for (const Key &key : m_vectKeys) {
        if (key.keyId == keyId)
            pKey = &key;
    }
    if (!pKey) {
        *pError = QStringLiteral("signed by key %1, which is not trusted").arg(QString::fromLatin1(keyId.toHex().toUpper()));
        return false;
    }
    QByteArray signedBytes = message;
    if (algorithm == "ED") {
        signedBytes.resize(crypto_generichash_BYTES_MAX);
        crypto_generichash(reinterpret_cast<unsigned char *>(signedBytes.data()), crypto_generichash_BYTES_MAX,
                           reinterpret_cast<const unsigned char *>(message.constData()), size_t(message.size()), nullptr, 0);
    }
    const auto *pPublic = reinterpret_cast<const unsigned char *>(pKey->publicKey.constData());
    if (crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(signatureBytes.constData()),
                                    reinterpret_cast<const unsigned char *>(signedBytes.constData()),
                                    size_t(signedBytes.size()), pPublic) != 0) {
        *pError = QStringLiteral("signature does not match");
        return false;
    }
    // The trusted comment is signed together with the signature itself.
    const QByteArray comment = signatureBytes + lines.at(2).mid(int(sizeof(kTrusted)) - 1);
    if (crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(global.constData()),
                                    reinterpret_cast<const unsigned char *>(comment.constData()), size_t(comment.size()),
                                    pPublic) != 0) {
        *pError = QStringLiteral("trusted comment signature does not match");
        return false;
    }
    return true;
}

} // namespace gearbay
