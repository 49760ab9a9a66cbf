#pragma once
// The programs' file names. The conductor starts the product program that lies beside it, the
// shell opens the product's file types with one or the other, and the rehearsal runner starts
// the conductor that lies beside it.

inline constexpr char ProductProgram[] = "Kelvo.exe";
inline constexpr char ConductorProgram[] = "KelvoDemo.exe";

// The rehearsal station's FileDescription, by which it tells itself from the product.
inline constexpr char RehearsalStationDescription[] = "Kelvo rehearsal station";
