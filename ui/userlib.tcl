# userlib.tcl - the user's own library, shared by the window and the command line.
#
# The shipped library (the folder $::qev::library) is never modified. On first use its
# units and function files are copied into the per-user data folder
# ($XDG_DATA_HOME/qev, or ~/.local/share/qev), and every unit-system file (*.usys) is
# written there anew with its units file pointing at the user's copy, so definitions
# added with anu and anf persist.

namespace eval qev {}

# The per-user data folder.
proc qev::userdir {} {
    if {[info exists ::env(XDG_DATA_HOME)] && [file pathtype $::env(XDG_DATA_HOME)] eq "absolute"} {
        return [file join $::env(XDG_DATA_HOME) qev]
    }
    return [file join [file normalize ~] .local share qev]
}

# Makes sure the user's library exists and returns a dict: dir, units (the user's units
# file), functions (the user's function file), systems (a dict name -> unit-system file).
proc qev::userlib {} {
    set dir [qev::userdir]
    file mkdir $dir
    set units ""
    set functions ""
    set systems [dict create]
    foreach src [lsort [glob -nocomplain -directory $::qev::library *]] {
        set name [file tail $src]
        set dst [file join $dir $name]
        if {[file extension $name] eq ".usys"} {
            set f [open $src]
            set words [regexp -all -inline {\S+} [read $f]]
            close $f
            if {[llength $words] < 8} continue
            set unitsname [file tail [lindex $words 7]]
            set words [lreplace $words 7 7 [file join $dir $unitsname]]
            if {![file exists $dst]} {
                set f [open $dst w]
                puts $f [join $words " "]
                close $f
            }
            dict set systems [file rootname $name] $dst
        } elseif {![file exists $dst]} {
            file copy $src $dst
            file attributes $dst -permissions 0664
        }
        switch -glob -- $name {
            *.units { set units $dst }
            *.functions { set functions $dst }
        }
    }
    return [dict create dir $dir units $units functions $functions systems $systems]
}
