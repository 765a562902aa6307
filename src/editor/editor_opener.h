#pragma once
// How the contract browser opens the contract it has just read: the editor
// is built once per browser and kept (hidden) between contracts.
class Ctr_Contrat;

namespace editor {

// Loads the editor on the browser's ContractRecord, names the helper, hands
// it the rights, initialises it and shows it modally through ui::modal().
// Failures on the way are logged and the next step runs, so the browser
// always gets its list back.
void OuvrirEditeur(Ctr_Contrat& browser);

} // namespace editor
