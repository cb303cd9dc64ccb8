// frame.h - the sampling frame of the analysis words "plot", "setrandf", "findx",
// "findzer", "findmin", "findmax" and "integ".
//
// A keyword takes three numbers a, b, n and treats the rest of the formula as a function
// of x. Its first phase stores a copy of that expression in 'S2' and turns the keyword
// into a low-priority marker; each time the driver reaches a marker, the expression in
// front of it has been reduced to one value, and the second phase records it, moves x
// to the next grid point and splices in a fresh copy. The grid has exactly ceil(n)
// points x_k = a + k*(b-a)/n (one point when n is 0); integration also samples b.
//
// Error exits of the analysis words:
//   2  fewer than three nodes after the keyword; the keyword is not the first word of
//      the formula, or the formula holds a second analysis word
//   3  a parameter is not a number; parameters that would sample without end (a, b or n
//      not finite, a equal to b, n negative, more than 'maxsteps' grid points)
//   4  nothing after the parameters; the expression leaves no value at a grid point
//   1  the evaluation was asked to stop (requeststop, engine.h): "<keyword> stopped after
//      N of M samples : ". A stopped sampling puts the slots of the analysis words and
//      the density of "rnd" back as they were before it began; variables it stored keep
//      their values, as after any error.
#ifndef QEV_ANALYSIS_FRAME_H
#define QEV_ANALYSIS_FRAME_H

#include "engine/node.h"

// Most grid points an analysis word takes: 1000000000 (the fuzz targets lower it, since
// the time of a long sampling is no fault).
extern long maxsteps;

// What distinguishes the analysis words in the common frame.
struct analysisword {
    const char *keyword;   // the word as typed, named by the refusals of the frame
    const char *msgname;   // the name in the three parameter messages
    const char *nothing;   // message for a missing function expression
    float marker;          // priority of the marker the keyword turns into
    bool sampleend;        // the end value b is sampled too (integration)
    void (*before)();      // settings made before the parameters are checked; or null
};

extern const analysisword PLOT, SETRANDF, FINDX, FINDZER, FINDMIN, FINDMAX, INTEG;

// The analysis keywords and their markers, null-terminated.
extern const char *const ANALYSISWORDS[];

// First phase on the keyword 'T': makes the settings of 'w'.before, checks the parameters, sets 'flagrep', 'reps', 'repx',
// 'repe', 'repj' and the grid, turns 'T' into the marker and stores the expression in
// 'S2'. False after an error exit.
bool firstphase(const analysisword &w);

// Second phase entry: the value V = 'T'.next of the expression at 'repx', with every node
// after it freed. Every WATCHEVERY samples it first looks at the stop request and calls
// the watcher (watch.h). Null after an error exit (a marker outside a sampling of 'w',
// a stop, or an expression that left no value).
lm *takevalue(const analysisword &w);

// Index of the current sample (0 for the first), the number of samples in all, and the
// third parameter n (the grid step is (b-a)/n).
long sampleindex();
long samplecount();
long double samplesteps();

// Abscissa of sample k; b for the sample after the grid of an integration.
long double samplex(long k);

// Moves 'repx' to the next sample and returns true, or returns false when the current
// sample was the last one (then 'repx' keeps the last sampled abscissa).
bool nextsample();

// Appends a fresh copy of 'S2' after 'tail', the last node of the list. False after an
// error exit.
bool resplice(lm *tail);

// After a sample: moves to the next one and splices a fresh copy after 'marker' (true),
// or, after the last sample, removes 'marker' and ends the sampling (false).
bool nextpass(lm *marker);

// Ends the sampling: frees the stored copy and writes what the folded operators wrote
// and the text of the pairs taken out of the list.
void endsampling();

// Tables of pairs ("plot", "setrandf"): outside 'plainmode' the pair x y in front of
// 'marker' leaves the list, its text kept as the printer would write it, to be written
// when the sampling ends, so the list holds one pair however many samples are taken.
// The text stops growing once it is longer than any answer.
void takepair(lm *marker);

// Second phase of the chain searches: the marker becomes the sample, followed by the
// chain word 'chain' (which the driver reduces with its operator 'op' after the last
// sample) and a new marker 'marker'. Outside 'plainmode' each later sample is folded
// into the first at once: the same reductions in the same order, in constant space.
void chainsample(const analysisword &w, const char *chain, const char *marker, void (*op)());

// True while the samples are folded as they come (not in 'plainmode'); a value that is not
// a number ends the folding, and the rest is chained for the driver as it stands.
bool foldable(const lm *V);

// Forgets what the folded operators wrote (their reductions would never have run).
void dropfolded();

// Reduces "acc word R" with 'op' (its quadrature form in quadrature mode) as the driver
// would, operands normalised, where 'acc' is a number of the list and R a number outside
// it; the result stays in 'acc' and R is freed. What the operator writes is kept for
// the end of the sampling, where the driver would have reduced it. False after an error
// exit.
bool fold(lm *acc, const char *word, void (*op)(), lm *R);

#endif
