#include "scenario/notes.h"

#include <string_view>

#include "scenario/builtin_texts.h"
#include "scenario/text_file.h"

namespace scenario {

namespace {

// clang-format off
constexpr std::string_view kNotes[] = {
    "Scenario Corvale - Mirbosco, treno 731: versione aggiornata.",
    "",
    "Inserito ripetizione segnali a nove codici con relativi abbattimenti.",
    "Inseriti tre rallentamenti con il relativo ordine di rallentamento (Modulo M. 3).",
    "Rivisti i limiti di velocità della linea e gli orari di tutte le località di servizio.",
    "Aggiornate le aderenze lungo la linea, più basse in galleria e nel tratto di Sorbolo Monte.",
    "Aggiunta la scheda treno con la pagina in bianco da compilare per altri treni.",
    "",
    "Il treno 731 è un Intercity di 16 carrozze, 800 tonnellate di massa bloccata e il 130% di massa frenata, ammesso a 200 km/h (categoria V200 C). Parte da Corvale alle 12.05 e arriva a Mirbosco alle 14.37 dopo 218 chilometri e diciotto fermate intermedie. La scheda treno riporta per ogni località la progressiva chilometrica, le velocità ammesse da quel punto in avanti, l'orario e gli eventuali minuti di recupero; gli orari tra parentesi sono orari di transito nelle località dove il treno non ferma. Tenete sempre a portata di mano la scheda e l'ordine di rallentamento: il viaggio è lungo e i limiti cambiano spesso.",
    "Si parte da Corvale a 30 km/h fino all'uscita dal piazzale; dal km 1,250 si può salire a 100 km/h e, dopo la fermata di Corvale Borgo, a 130 km/h. Al km 9, prima di Sant'Ilario, c'è subito il primo rallentamento: 80 km/h per 800 metri. Il binario in quel punto è in rettifilo e invita ad accelerare, ma il rallentamento va rispettato per tutta la sua lunghezza; attenzione anche all'aderenza, più bassa proprio in quel tratto.",
    "Dal km 11, poco prima di Sant'Ilario, fino a Mirbosco la linea è attrezzata con la ripetizione segnali a nove codici: in cabina arriva l'aspetto del segnale successivo e, prima dei rallentamenti e dei segnali a via impedita, i codici vengono abbattuti per tempo. Prima del km 11 la ripetizione non c'è e ci si affida soltanto ai segnali laterali. La colonna No Rs della scheda indica la velocità ammessa senza ripetizione segnali, mai oltre 150 km/h: è quella da rispettare se la ripetizione si guasta.",
    "Dopo Fontebella, al km 23,450, il treno lascia la linea di Corvale e si immette sulla linea principale, la cui progressiva chilometrica in quel punto è 194,950 e da lì scende fino a zero a Mirbosco; il cartello al bivio riporta entrambe le progressive. Sulla scheda quindi i chilometri crescono fino al bivio e calano da Casalvecchio in poi, e anche i cippi citati nell'ordine di rallentamento seguono la progressiva della linea principale.",
    "Il tratto di montagna comincia dopo Valdimora: si attraversa una breve galleria con aderenza ridotta e si sale con pendenze fino al 5 per mille verso Colle Alto, il punto più alto della linea a 812 metri sul livello del mare. Tra Pietrafitta e Colle Alto, al km 165, si trova il secondo rallentamento, 40 km/h per 400 metri, in piena salita e con tutte e tre le prescrizioni A, B e C. Non perdete troppa velocità prima del rallentamento e ripartite con dolcezza dopo, aiutandovi con la sabbia se le ruote slittano.",
    "Da Colle Alto comincia la lunga discesa verso San Vito al Bosco e Castelmerlo, con pendenze fino al 16 per mille: è il tratto più impegnativo per la frenatura. Con 800 tonnellate al gancio la velocità va tenuta sotto controllo con una frenatura moderata e continua, senza aspettare l'ultimo momento; una frenata brusca in discesa allunga gli spazi di arresto e rischia di far pattinare le ruote.",
    "Da Borgo Ferrato a Belvedere la linea corre in pianura con diversi tratti a 200 km/h, interrotti da riduzioni di velocità a Monteleone Scalo, prima di Riofreddo e dopo Ferriera. Le località di Acquaviva Alta, Torre dei Gelsi, Villanova Sabbioni e Case Nuove sono attraversate senza fermata: il loro orario di transito serve a controllare l'andamento della corsa, e i minuti di recupero indicati alle stazioni principali permettono di rientrare in orario dopo un ritardo.",
    "Il terzo rallentamento è al km 60, tra Ferriera e Canneto: 80 km/h per 300 metri, con la prescrizione A. La velocità va rispettata con tutto il treno, quindi si può riprendere ad accelerare solo quando anche l'ultima carrozza ha superato la fine del rallentamento, cioè circa 400 metri dopo il cartello che lo chiude.",
    "Dopo Sorbolo Monte la linea scende verso Lagoscuro e passa nella galleria di Lagoscuro, lunga 100 metri; dalla stazione di Lagoscuro la velocità scende a 90 km/h. Fino a Vignale l'aderenza è la più bassa di tutta la linea: in caso di pioggia anticipate le frenate e usate la sabbia con giudizio, perché la dotazione deve bastare fino a Mirbosco. Ricordate anche che dalle 23.30 alle 4.30 la velocità massima della linea è di 160 km/h, come riportato in fondo a ogni pagina della scheda treno: per la corsa pomeridiana del 731 il limite non si applica, ma vale per ogni treno notturno che percorre la stessa linea.",
    "L'arrivo a Mirbosco chiede attenzione: dopo Mirbosco Sud la velocità scende per gradi a 110, 90, 60, 45 e infine 30 km/h, e poco prima della stazione si entra nell'ultima galleria, lunga 300 metri. Presentatevi al segnale di protezione già alla velocità giusta e fermate il treno con precisione al marciapiede: l'orario di arrivo è alle 14.37.",
    "",
    "Grazie a tutti quelli che hanno provato le versioni precedenti e hanno segnalato errori e suggerimenti.",
    "",
    "",
    "Autore dello scenario: Paolo Gualandri",
    kEndMarker,
};
// clang-format on

}  // namespace

std::span<const std::string_view> builtin_notes() { return kNotes; }

}  // namespace scenario
