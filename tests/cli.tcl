# cli.tcl - running build/qev as a user would, for the command-line tests.
#   qevrun ?-in TEXT? ?-home DIR? arg...  runs qev with the arguments as separate words,
#                                         TEXT on standard input; returns {status out err}
#   shellrun ?-in TEXT? ?-home DIR? line  runs a bash command line, qev on its PATH
#   freshhome                             a new empty data folder; later runs use it
#   Every run gets XDG_DATA_HOME (the data folder), LC_ALL=C.UTF-8, and no LD_PRELOAD,
#   so the user's real home is never touched.

set ::qevbin [file join $::qevbuild qev]

set ::clisavedencoding [encoding system]
encoding system utf-8

proc freshhome {} {
    set ::clihome [file join [file normalize /tmp] qevhome-[pid]-[incr ::clihomes]]
    file delete -force $::clihome
    file mkdir $::clihome
    lappend ::tmpfiles $::clihome
    return $::clihome
}
freshhome

# Runs the command words 'cmd' with 'in' on standard input; {status stdout stderr}.
proc clirun {in home cmd} {
    set errf [file tempfile errpath /tmp/qevclierr]
    close $errf
    set envs [list env -u LD_PRELOAD XDG_DATA_HOME=$home LC_ALL=C.UTF-8 PATH=$::qevbuild:$::env(PATH)]
    set f [open |[list {*}$envs {*}$cmd 2> $errpath] r+]
    fconfigure $f -encoding utf-8 -translation lf
    puts -nonewline $f $in
    chan close $f write
    set out [read $f]
    set status 0
    if {[catch {close $f} msg opts]} {
        set code [dict get $opts -errorcode]
        if {[lindex $code 0] ne "CHILDSTATUS"} { return -code error $msg }
        set status [lindex $code 2]
    }
    set ef [open $errpath]
    fconfigure $ef -encoding utf-8
    set err [read $ef]
    close $ef
    file delete $errpath
    return [list $status $out $err]
}

# Reads the options -in and -home from the front of 'argsvar'.
proc clioptions {argsvar invar homevar} {
    upvar 1 $argsvar a $invar in $homevar home
    set in ""
    set home $::clihome
    while {[lindex $a 0] in {-in -home}} {
        set [string range [lindex $a 0] 1 end] [lindex $a 1]
        set a [lrange $a 2 end]
    }
}

proc qevrun {args} {
    clioptions args in home
    clirun $in $home [list $::qevbin {*}$args]
}

proc shellrun {args} {
    clioptions args in home
    clirun $in $home [list bash -c [lindex $args 0]]
}

# The standard output of a run that must succeed, without its line end.
proc qevout {args} {
    lassign [qevrun {*}$args] status out err
    if {$status != 0 || $err ne ""} { return "status $status: $out$err" }
    return [string trimright $out \n]
}
