#include "runtime_failure.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace quorvel {
namespace {

[[noreturn]] void writeMessageAndExit(const RuntimeFailure &failure)
{
    writeFailureMessage(stderr, failure);
    exitAfterFailure();
}

FailureHandler &currentHandler()
{
    static FailureHandler handler = writeMessageAndExit;
    return handler;
}

} // namespace

QString failureText(FailureKind kind)
{
    switch (kind) {
    case FailureKind::PastEndOfFile:
        return QStringLiteral("入力ファイルの終わりを越えて読み込もうとしました");
    case FailureKind::FileNotFound:
        return QStringLiteral("ファイルが見つかりません");
    case FailureKind::PermissionDenied:
        return QStringLiteral("ファイルを読む権限がありません");
    case FailureKind::PathFileAccess:
        return QStringLiteral("ファイルにアクセスできません");
    case FailureKind::Overflow:
        return QStringLiteral("オーバーフロー");
    case FailureKind::IndexOutOfRange:
        return QStringLiteral("インデックスが有効範囲にありません");
    case FailureKind::TypeMismatch:
        return QStringLiteral("型が一致しません");
    case FailureKind::BadPicture:
        return QStringLiteral("画像を読み込めません");
    case FailureKind::OutOfMemory:
        return QStringLiteral("メモリが不足しています");
    }
    return QStringLiteral("実行時エラー");
}

RuntimeFailure::RuntimeFailure(FailureKind kind, QString where)
    : kind_(kind), where_(std::move(where)), utf8_(message().toStdString())
{
}

QString RuntimeFailure::message() const
{
    return where_.isEmpty() ? failureText(kind_) : failureText(kind_) + QStringLiteral(": ") + where_;
}

void raiseFailure(FailureKind kind, const QString &where)
{
    throw RuntimeFailure(kind, where);
}

QString quotedHead(const QString &text)
{
    constexpr qsizetype kHead = 40;
    if (text.size() <= kHead)
        return u'"' + text + u'"';
    // Never split a surrogate pair.
    const qsizetype cut = text[kHead - 1].isHighSurrogate() ? kHead - 1 : kHead;
    return u'"' + text.left(cut) + QStringLiteral("…\"");
}

void writeFailureMessage(std::FILE *out, const RuntimeFailure &failure)
{
    const QByteArray text = QStringLiteral("実行時エラー: ").toUtf8() + failure.message().toUtf8() + '\n';
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), out);
    std::fflush(out);
}

void exitAfterFailure()
{
    // Like the classic runtime: the program ends at once, without unwinding into Qt's event loop.
    std::fflush(stdout);
    std::_Exit(1);
}

FailureHandler setFailureHandler(FailureHandler handler)
{
    FailureHandler previous = std::move(currentHandler());
    currentHandler() = handler ? std::move(handler) : FailureHandler(writeMessageAndExit);
    return previous;
}

void reportFailure(const RuntimeFailure &failure)
{
    currentHandler()(failure);
}

bool runGuarded(const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const RuntimeFailure &failure) {
        reportFailure(failure);
    } catch (const std::bad_alloc &) {
        reportFailure(RuntimeFailure(FailureKind::OutOfMemory, QString()));
    }
    return false;
}

} // namespace quorvel
