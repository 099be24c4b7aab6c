// The two programs built from one tree. Both keep the same records; the edition decides which
// file names are used and which design values (transparency, hemming, shadow) are read and
// written at all: the classic edition leaves them as the file has them.
#pragma once

enum Edition { kLayeredEdition, kClassicEdition };

Edition CurrentEdition();
void SetEdition(Edition edition);  // once at start-up; the layered edition until then
