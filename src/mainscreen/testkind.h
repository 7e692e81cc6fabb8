#pragma once

namespace keruna {

// The kinds of test: the engine advances (自動進行), the user judges (手動進行), or numbers
// are heard and typed back (数字テスト).
enum class TestKind { Automatic, Manual, Number };

} // namespace keruna
