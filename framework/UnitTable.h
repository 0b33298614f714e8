#pragma once
// The program's start-up and shut-down order: one explicit table of units,
// initialised first to last and finalised last to first. Each unit keeps a
// nesting count, so only the first initialisation and the last finalisation act.

struct TUnitEntry {
  const wchar_t* Name;
  void (*Init)();
  void (*Fini)();
  int Count = 0;
};

class TUnitTable {
 public:
  TUnitTable(TUnitEntry* entries, int count) : FEntries(entries), FCount(count) {}
  void Initialize();
  void Finalize();

 private:
  TUnitEntry* FEntries;
  int FCount;
  int FDone = 0;  // how many were initialised, for a start-up that failed halfway
};
