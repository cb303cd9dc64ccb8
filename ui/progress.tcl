# progress.tcl - long evaluations in the window: the progress bar and Cancel button at
# the right end of the status bar, stopping with Cancel, Escape or closing the window,
# and the refusal of other work for the engine meanwhile. Namespace zt.
#
# The engine calls the progress callback while an analysis word samples; the callback
# runs the event loop, so the window redraws and takes clicks and keys during the work.
# The engine refuses a second command while one runs, so everything that would call it
# asks 'refused' first.

namespace eval zt {
    variable workdelay 300     ;# milliseconds an evaluation runs before its progress shows
    variable work              ;# the evaluation under way: on (1 while it runs), start (its
                               ;# clock milliseconds), shown (the bar is up), quit (the
                               ;# window ends after it), later (scripts to run after it)
    array set work {on 0 start 0 shown 0 quit 0 later {}}
}

# Makes the progress bar and the Cancel button in the status bar 'b', hidden until an
# evaluation runs long.
proc zt::progressbar {b} {
    ttk::progressbar $b.progress -orient horizontal -length [px 140] -maximum 1.0 -mode determinate
    ttk::button $b.cancel -text Cancel -style Bar.TButton -command zt::stopwork
    tip $b.cancel "Stop the evaluation (Escape)"
    grid $b.progress -row 0 -column 1 -padx {8p 6p}
    grid $b.cancel -row 0 -column 2
    grid remove $b.progress $b.cancel
}

# Runs 'script' (in the caller), a command of the engine that may run long, as the work
# under way; returns what it returns. A script run while other work is under way runs
# as it is (the engine refuses it).
proc zt::dowork {script} {
    variable work
    if {$work(on)} { return [uplevel 1 $script] }
    array set work [list on 1 start [clock milliseconds] shown 0]
    catch {uplevel 1 $script} result options
    endwork
    return -options $options $result
}

# The progress callback of an evaluation: 'fraction' is the part done, 0 when unknown.
# Once the work has run 'workdelay' it shows the bar and runs the event loop.
proc zt::progress {fraction} {
    variable work
    variable workdelay
    variable win
    if {!$work(on)} return
    if {!$work(shown)} {
        if {[clock milliseconds] - $work(start) < $workdelay} return
        showwork
    }
    set p $win(progress)
    if {$fraction > 0} {
        $p configure -mode determinate -value [expr {min(1.0, $fraction)}]
    } else {
        $p configure -mode indeterminate
        $p step 0.05
    }
    update
}

# Shows the progress bar and Cancel, and disables the "=" button.
proc zt::showwork {} {
    variable work
    variable win
    set work(shown) 1
    $win(progress) configure -value 0
    grid $win(progress) $win(cancel)
    $win(eval) state disabled
    status "Evaluating… Cancel or Escape stops it."
}

# Ends the work under way: hides the bar, enables "=", runs what waited for the engine
# (when idle), and ends the window when it was closed meanwhile.
proc zt::endwork {} {
    variable work
    variable win
    set later $work(later)
    array set work {on 0 shown 0 later {}}
    if {[winfo exists $win(progress)]} {
        grid remove $win(progress) $win(cancel)
        $win(eval) state !disabled
    }
    foreach script $later { after idle $script }
    if {$work(quit)} {
        set work(quit) 0
        quit
    }
}

# Asks the evaluation under way to stop (Cancel, Escape); whether one was under way.
proc zt::stopwork {} {
    variable work
    if {!$work(on)} { return 0 }
    qev::cancel
    status "Stopping…"
    return 1
}

# Whether an evaluation is under way.
proc zt::busy {} { set zt::work(on) }

# Whether the engine is busy with an evaluation, so that what would call it now must
# not: says so, or with 'later' runs that script once the evaluation has ended instead.
proc zt::refused {{later ""}} {
    variable work
    if {!$work(on)} { return 0 }
    if {$later ne ""} {
        if {$later ni $work(later)} { lappend work(later) $later }
    } else {
        bell
        status "Still evaluating the last formula: Cancel or Escape stops it."
    }
    return 1
}
