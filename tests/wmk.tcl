# wmk.tcl - the desktop program starts from any working directory with its own window
# script: build/wmk is run from a folder that holds someone else's zt.tcl, under the X
# server of DISPLAY; its window "qev" must be mapped within 20 seconds, the user's
# library made under XDG_DATA_HOME, and the folder's zt.tcl left unrun. That zt.tcl
# runs only with --local-script, or for a copy of the program that has no script of
# its own.
# Usage: tclsh wmk.tcl FOLDER (the build folder, or the bin folder of an installed tree;
# prints "wmk: ok" or the reasons; exit status 0 or 1)
set build [file normalize [lindex $argv 0]]
set tmp [file join [expr {[info exists env(TMPDIR)] ? $env(TMPDIR) : "/tmp"}] qevwmk-[pid]]
file delete -force $tmp
file mkdir $tmp/cwd $tmp/data $tmp/home $tmp/alone
set env(XDG_DATA_HOME) $tmp/data
set env(HOME) $tmp/home
set problems {}

# The stranger's script: leaves a mark in the working directory and ends the program.
set f [open $tmp/cwd/zt.tcl w]
puts $f {close [open ran-the-local-script w]; exit}
close $f
set mark $tmp/cwd/ran-the-local-script

# Runs 'exe' with 'args' from the folder of the stranger's script until its window is
# mapped or it ends (20 seconds at most); {pid window-info output}.
proc startwmk {exe args} {
    global tmp
    cd $tmp/cwd
    set pid [exec $exe {*}$args >& $tmp/out.txt &]
    set info ""
    for {set i 0} {$i < 100} {incr i} {
        after 200
        if {![catch {exec xwininfo -name qev} info] && [string match "*IsViewable*" $info]} break
        if {[file exists $tmp/cwd/ran-the-local-script] || [catch {exec kill -0 $pid}]} break
    }
    # Let the window script finish before it is read and stopped.
    after 500
    set f [open $tmp/out.txt]
    set out [read $f]
    close $f
    return [list $pid $info $out]
}

# The program's own script, whatever lies in the working directory.
lassign [startwmk [file join $build wmk]] pid info out
if {![string match "*IsViewable*" $info]} { lappend problems "no window named qev was mapped: $info" }
if {[regexp {Width: (\d+)} $info -> w] && [regexp {Height: (\d+)} $info -> h] && ($w < 300 || $h < 200)} {
    lappend problems "the window is only ${w}x$h"
}
set shipped [glob -nocomplain $build/data/SI.usys $build/../share/qev/data/SI.usys]
if {![file isdirectory [file join $tmp/data qev]] ||
    ([llength $shipped] && ![file exists [file join $tmp/data qev SI.usys]])} {
    lappend problems "no user library under XDG_DATA_HOME"
}
if {[catch {exec kill -0 $pid}]} { lappend problems "wmk is no longer running" }
catch {exec kill $pid}
if {[string trim $out] ne ""} { lappend problems "wmk wrote: $out" }
if {[lsort [glob -nocomplain -tails -directory $tmp/cwd *]] ne "zt.tcl"} {
    lappend problems "wmk ran the working directory's zt.tcl or wrote into it"
}

# The working directory's script when asked for, and for a program without a script.
file copy [file join $build wmk] $tmp/alone/wmk
foreach {what exe args} [list "with --local-script" [file join $build wmk] --local-script \
                             "for a program without a script" $tmp/alone/wmk {}] {
    file delete $mark
    lassign [startwmk $exe {*}$args] pid info out
    catch {exec kill $pid}
    if {![file exists $mark]} { lappend problems "the working directory's zt.tcl did not run $what: $out" }
}

file delete -force $tmp
if {[llength $problems]} {
    puts "wmk: [join $problems "\nwmk: "]"
    exit 1
}
puts "wmk: ok"
