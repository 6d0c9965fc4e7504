#pragma once

namespace gearbay {

// Finding a free local TCP port for the download server: candidates from a start port upward in
// steps of 2 (even ports only when starting even), at most 99 of them. The probe only shows the
// port was free a moment ago; the server binds it itself afterwards.
constexpr int kFirstServerPort = 20008;
constexpr int kServerPortStep = 2;
constexpr int kServerPortCandidates = 99;

// Probes from iPort upward. True with iPort set to the first free candidate; false when none was
// free, iPort then lies one step past the last candidate.
bool findValidPort(int &iPort);
// The first free candidate from kFirstServerPort, or -1 when none is free.
int findValidPort();

} // namespace gearbay
