# Bash completion for quenwick-cli: commands, their options, project files
# for PROJECT and any file after --out.

_quenwick_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="run sitemap sample show save new css"
    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    local options
    case ${words[1]} in
        run) options="--set --compact --help" ;;
        sitemap) options="--set --help" ;;
        sample) options="--out --set --help" ;;
        show) options="--help" ;;
        save | new) options="--out --set --help" ;;
        css) options="--tree --out --help" ;;
        *) return ;;
    esac

    case $prev in
        --out)
            _filedir
            return
            ;;
        --set)
            # Option keys begin with prj (project) or pgm (preference).
            COMPREPLY=($(compgen -W "prj pgm" -- "$cur"))
            compopt -o nospace
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    else
        _filedir qwk
    fi
} &&
    complete -F _quenwick_cli quenwick-cli
