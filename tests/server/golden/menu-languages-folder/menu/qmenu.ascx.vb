Imports System.IO
Imports System.Threading
Imports System.Globalization
Imports System.Web.HttpServerUtility
Imports System.Web.HttpContext

    Partial Class qmenu
    Inherits System.Web.UI.UserControl

    Private Sub Page_Load(ByVal sender As System.Object, ByVal e As System.EventArgs) Handles MyBase.Load
        Dim pc, path, content as string
        path = server.mappath("/menu/qmenu.js")
        pc = thread.CurrentThread.CurrentUICulture.Name 
        content = menu()
        Thread.CurrentThread.CurrentUICulture = New CultureInfo(pc)
        My.Computer.FileSystem.WriteAllText(path, content, False, System.Text.Encoding.Default)
    End Sub

    Private Function menu() As String
        Dim wv As String = ""
        ' 600 statements of script text
        wv = wv & "qMF(""e1d1"",""dd.00"",""" & multilingualList("Products") & ""","""",""80px;;80px;;"");" & vbnewline 
        wv = wv & "qLK(""e1d1d1"",""ddiw"",""" & multilingualList("Tom's page") & """,""/hi.html"",""90px;;90px;;"");" & vbnewline 
        ' 1 statements of script text
        wv = wv & "qMF(""e1d2"",""dd.00iwnf"",""" & multilingualList("Home") & """,""/index.html"",""80px;;80px;;"");" & vbnewline 
        ' 1 statements of script text
        wv = wv & harddiskDirectory("/docs/","e||asp||str||sub||dash||",".htm||","","e1d2","2","80px;;80px;;") & vbnewline 
        wv = wv & "qMF(""e1d503"",""dd.00iwnf"",""" & multilingualList("Contact") & """,""/contact.html"",""80px;;80px;;"");" & vbnewline 
        ' 11 statements of script text
        Return wv
    End Function

    # Region "Harddisk functions"
    ' A folder of the web site listed when the page is served: its
    ' sub-folders first, then its own files.
    Public Function harddiskDirectory(ByVal relDirectory As String, ByVal txtOptions As String, ByVal txtInclude As String, ByVal txtExclude As String, ByRef secn As String, ByRef nameLengthList As String, ByRef colWidthList As String) As String
        Dim w As String = ""
        Dim firstDirectory As Boolean = True
        harddiskSubfolders(w, relDirectory, txtOptions, txtInclude, txtExclude, secn, 0, nameLengthList, colWidthList, firstDirectory, "normal")
        harddiskFiles(w, relDirectory, txtOptions, txtInclude, txtExclude, secn, 0, nameLengthList, colWidthList, firstDirectory, "normal")
        w = replaceColWidthVariable(w, nameLengthList, colWidthList)
        Return w
    End Function

    Public Function HarddiskDirectorySitemap(ByVal relDirectory As String, ByVal txtOptions As String, ByVal txtInclude As String, ByVal txtExclude As String, ByVal secn As String, ByVal indent As Integer, ByVal nameLengthList As String, ByVal colWidthList As String) As String
        Dim w As String = ""
        Dim firstDirectory As Boolean = True
        Dim lengths As String = ""
        Dim widths As String = ""
        harddiskSubfolders(w, relDirectory, txtOptions, txtInclude, txtExclude, secn, indent, lengths, widths, firstDirectory, "siteMap")
        harddiskFiles(w, relDirectory, txtOptions, txtInclude, txtExclude, secn, indent, lengths, widths, firstDirectory, "siteMap")
        Return w
    End Function

    ' A sub-folder with nothing to show leaves no trace, not even its entry.
    Public Sub harddiskSubfolders(ByRef w As String, ByVal relDirectory As String, ByVal txtOptions As String, ByVal txtInclude As String, ByVal txtExclude As String, ByRef secn As String, ByVal indent As Integer, ByRef nameLengthList As String, ByRef colWidthList As String, ByRef firstDirectory As Boolean, ByVal job As String)
        If InStr(txtOptions, "sub||") = 0 Then
            Return
        End If
        Dim structured As Boolean = InStr(txtOptions, "str||") > 0
        Dim folder As New DirectoryInfo(HttpContext.Current.Server.MapPath(relDirectory))
        For Each subFolder As DirectoryInfo In folder.GetDirectories()
            If Not harddiskExclude(subFolder.Name, txtExclude) Then
                Dim savedW As String = w
                Dim savedSecn As String = secn
                Dim savedFirst As Boolean = firstDirectory
                Dim savedLengths As String = nameLengthList
                Dim savedWidths As String = colWidthList
                If structured Then
                    Dim name As String = subFolder.Name
                    name = multilingualList(name)
                    batchFolderLine(w, name, txtOptions, secn, indent, nameLengthList, colWidthList, firstDirectory, job)
                End If
                Dim inner As String = ""
                Dim innerSecn As String = secn & "d0"
                Dim innerLengths As String = "2"
                Dim innerWidths As String = "[$" & secn & "d0$]"
                Dim innerFirst As Boolean = True
                harddiskSubfolders(inner, relDirectory & subFolder.Name & "/", txtOptions, txtInclude, txtExclude, innerSecn, indent + 1, innerLengths, innerWidths, innerFirst, job)
                harddiskFiles(inner, relDirectory & subFolder.Name & "/", txtOptions, txtInclude, txtExclude, innerSecn, indent + 1, innerLengths, innerWidths, innerFirst, job)
                inner = replaceColWidthVariable(inner, innerLengths, innerWidths)
                If inner <> "" Then
                    w = w & inner
                    If structured And job = "normal" Then
                        w = w & f("de") & "();" & vbNewLine
                    End If
                Else
                    w = savedW
                    secn = savedSecn
                    firstDirectory = savedFirst
                    nameLengthList = savedLengths
                    colWidthList = savedWidths
                End If
            End If
        Next
    End Sub

    Public Sub harddiskFiles(ByRef w As String, ByVal relDirectory As String, ByVal txtOptions As String, ByVal txtInclude As String, ByVal txtExclude As String, ByRef secn As String, ByVal indent As Integer, ByRef nameLengthList As String, ByRef colWidthList As String, ByRef firstDirectory As Boolean, ByVal job As String)
        Dim folder As New DirectoryInfo(HttpContext.Current.Server.MapPath(relDirectory))
        For Each file As FileInfo In folder.GetFiles()
            If harddiskInclude(file.Name, txtInclude) And Not harddiskExclude(file.Name, txtExclude) Then
                Dim name As String = harddiskDirectoryDetailedName(file, txtOptions)
                name = multilingualList(name)
                nameLengthList = increaseLength(name, nameLengthList)
                batchLinkLine(w, "", relDirectory & file.Name, name, txtOptions, secn, indent, nameLengthList, colWidthList, firstDirectory, job)
            End If
        Next
    End Sub

    ' The link text of a file: its name, without the extension unless "ext"
    ' is asked for, then the size, date and time when asked for.
    Public Function harddiskDirectoryDetailedName(ByVal file As FileInfo, ByVal txtOptions As String) As String
        Dim name As String = file.Name
        If InStr(txtOptions, "ext") = 0 Then
            Dim dot As Integer = name.LastIndexOf(".")
            If dot > 0 Then
                name = name.Substring(0, dot)
            End If
        End If
        If InStr(txtOptions, "size") > 0 Then
            If file.Length = 0 Then
                name = name & ", 0K"
            Else
                name = name & ", " & CStr(CLng(Math.Round(file.Length / 1000, MidpointRounding.ToEven)) + 1) & "K"
            End If
        End If
        If InStr(txtOptions, "date") > 0 Then
            name = name & ", " & file.LastWriteTime.ToShortDateString()
        End If
        If InStr(txtOptions, "time") > 0 Then
            name = name & ", " & file.LastWriteTime.ToShortTimeString()
        End If
        Return name
    End Function

    ' True when the name ends (case ignored) with one of the "||" items.
    Public Function harddiskInclude(ByVal name As String, ByVal txtInclude As String) As Boolean
        For Each item As String In Split(txtInclude, "||")
            If item <> "" And name.ToLower().EndsWith(item.ToLower()) Then
                Return True
            End If
        Next
        Return False
    End Function

    ' True when the name begins (case ignored) with one of the "||" items.
    Public Function harddiskExclude(ByVal name As String, ByVal txtExclude As String) As Boolean
        For Each item As String In Split(txtExclude, "||")
            If item <> "" And name.ToLower().StartsWith(item.ToLower()) Then
                Return True
            End If
        Next
        Return False
    End Function
    # End Region

    # Region "Common to batch options"
    ' One folder entry: a site map line, or an mf or sf call that opens a
    ' sub-menu.
    Public Sub batchFolderLine(ByRef w As String, ByVal name As String, ByVal txtOptions As String, ByRef secn As String, ByVal indent As Integer, ByRef nameLengthList As String, ByRef colWidthList As String, ByRef firstDirectory As Boolean, ByVal job As String)
        If isMainFolder(secn) And Not firstDirectory Then
            secn = nextColumn(secn)
            w = replaceColWidthVariable(w, nameLengthList, colWidthList)
            nameLengthList = "2"
            colWidthList = "[$" & secn & "$]"
        End If
        secn = nextD(secn)
        nameLengthList = increaseLength(name, nameLengthList)
        If job = "siteMap" Then
            w = w & smFolder(replaceDash(name, txtOptions), indent, isMainFolder(secn))
            Return
        End If
        Dim text As String = replaceDash(name.Replace("""", "'"), txtOptions)
        Dim k As String = ""
        k = "dd"
        If isMainFolder(secn) Then
            k = k & ".00"
        End If
        If isMainFolder(secn) Then
            If Not firstDirectory Then
                w = w & f("col") & "();" & vbNewLine
            End If
            firstDirectory = False
            w = w & f("mf") & "(""" & secn & """,""" & k & """,""" & text & """,""""," & """" & colWidthList & """);" & vbNewLine
        Else
            w = w & f("sf") & "(""" & secn & """,""" & k & """,""" & text & """,""""," & """" & colWidthList & """);" & vbNewLine
        End If
    End Sub

    ' One link: a site map line, a main-menu entry that is itself a link
    ' (mf and de) at the top level, or an lk call below it.
    Public Sub batchLinkLine(ByRef w As String, ByVal k As String, ByVal jsUrl As String, ByVal name As String, ByVal txtOptions As String, ByRef secn As String, ByVal indent As Integer, ByRef nameLengthList As String, ByRef colWidthList As String, ByRef firstDirectory As Boolean, ByVal job As String)
        Dim text As String = replaceDash(name, txtOptions)
        If job = "siteMap" Then
            w = w & smLink(text, False, jsUrl, indent)
            Return
        End If
        If Left(txtOptions, 1) = "i" Or Left(txtOptions, 1) = "e" Then
            k = k & Left(txtOptions, 1)
        End If
        k = k & "dd"
        If isMainFolder(secn) Then
            If Not firstDirectory Then
                w = w & f("col") & "();" & vbNewLine
                w = replaceColWidthVariable(w, nameLengthList, colWidthList)
                secn = nextColumn(secn)
                colWidthList = "[$" & secn & "$]"
                nameLengthList = "2"
            End If
            firstDirectory = False
            secn = nextD(secn)
            w = w & f("mf") & "(""" & secn & """,""" & k & "nf"",""" & text & """,""" & jsUrl & """,""" & colWidthList & """);" & vbNewLine & f("de") & "();" & vbNewLine
        Else
            secn = nextD(secn)
            w = w & f("lk") & "(""" & secn & """,""" & k & """,""" & text & """,""" & jsUrl & """,""" & colWidthList & """);" & vbNewLine
        End If
    End Sub

    Public Function smFolder(ByVal name As String, ByVal indent As Integer, ByVal mainFolder As Boolean) As String
        Dim text As String = name
        text = LocalValue(text)
        Dim spaces As String = ""
        For i As Integer = 1 To indent
            spaces = spaces & "&nbsp;&nbsp;&nbsp;"
        Next
        If mainFolder Then
            Return "<p class='" & cssClassName("MainFolderBox") & "'>" & spaces & "<span class='" & cssClassName("MainFolderLine") & "'>" & text & "</span></p>" & vbNewLine
        End If
        Return "<p class='" & cssClassName("SubFolderBox") & "'>" & spaces & "<span class='" & cssClassName("SubFolderLine") & "'>" & text & "</span></p>" & vbNewLine
    End Function

    Public Function smLink(ByVal name As String, ByVal noImage As Boolean, ByVal address As String, ByVal indent As Integer) As String
        Dim text As String = name
        text = LocalValue(text)
        If Trim(text) = "" Then
            text = "(Missing name)"
        End If
        Dim spaces As String = ""
        For i As Integer = 1 To indent
            spaces = spaces & "&nbsp;&nbsp;&nbsp;"
        Next
        Dim image As String = ""
        If Not noImage Then
            image = ""
        End If
        Return "<p class='" & cssClassName("LinkBox") & "'>" & spaces & image & "<a href=""" & address & """><span class='" & cssClassName("LinkLine") & "'>" & text & "</span></a></p>" & vbNewLine
    End Function

    ' With "dash||" every "_" of a name is shown as a blank.
    Public Function replaceDash(ByVal text As String, ByVal txtOptions As String) As String
        If InStr(txtOptions, "dash||") > 0 Then
            Return text.Replace("_", " ")
        End If
        Return text
    End Function

    ' The finished level's width in place of its placeholder. Only a
    ' placeholder is replaced: a fixed width is text that may stand elsewhere.
    Public Function replaceColWidthVariable(ByVal w As String, ByVal nameLengthList As String, ByVal colWidthList As String) As String
        If Left(colWidthList, 2) <> "[$" Then
            Return w
        End If
        Return w.Replace(colWidthList, getColWidthList(pixelBase, pixelsPerCharacter, nameLengthList))
    End Function
    # End Region

    # Region "Multilingual functions"
    ' The name in every language of the project, each ended by ";;".
    Public Function multilingualList(ByVal name As String) As String
        If InStr(name, ";;") > 0 Then
            Return name
        End If
        If name = "" Then
            Return ""
        End If
        Dim result As String = ""
        Dim position As Integer = 1
        Dim language As String = getNextString(languageList, position)
        While language <> ""
            result = result & getLanguageResource(language, name) & ";;"
            language = getNextString(languageList, position)
        End While
        Return result
    End Function

    ' The value for the visitor's language; the first value when there is
    ' none for it.
    Public Function LocalValue(ByVal list As String) As String
        Dim culture As String = Thread.CurrentThread.CurrentUICulture.Name
        Dim languagePosition As Integer = 1
        Dim valuePosition As Integer = 1
        Dim first As String = getNextString(list, valuePosition)
        Dim value As String = first
        Dim language As String = getNextString(languageList, languagePosition)
        While language <> ""
            If String.Compare(language, culture, True) = 0 Then
                If value = "" Then
                    Return first
                End If
                Return value
            End If
            language = getNextString(languageList, languagePosition)
            value = getNextString(list, valuePosition)
        End While
        Return first
    End Function

    ' The key's text in the language: the portal's shared resources first,
    ' then the site's resource file, then the key itself.
    Public Function getLanguageResource(ByVal language As String, ByVal key As String) As String
        Dim resourceKey As String = key.Replace(" ", "_")
        Dim value As String = ""
        If value = "" Then
            Thread.CurrentThread.CurrentUICulture = New CultureInfo(language)
            Dim found As Object = HttpContext.GetGlobalResourceObject("MenuText", resourceKey)
            If Not found Is Nothing Then
                value = found.ToString()
            End If
        End If
        If value = "" Then
            value = resourceKey.Replace("_", " ")
        End If
        Return value
    End Function
    # End Region

    # Region "Common functions"
    ' Ids made on the server step by 20, so they stay apart from the ids the
    ' menu was written with.
    Public Function nextD(ByVal secn As String) As String
        Dim p As Integer = secn.LastIndexOf("d")
        Return secn.Substring(0, p + 1) & CStr(CInt(secn.Substring(p + 1)) + 20)
    End Function

    ' The first id of the next column.
    Public Function nextColumn(ByVal secn As String) As String
        Dim p As Integer = secn.IndexOf("d")
        Return "e" & CStr(CInt(secn.Substring(1, p - 1)) + 20) & "d0"
    End Function

    Public Function isMainFolder(ByVal secn As String) As Boolean
        Return secn.IndexOf("d") >= 0 And secn.IndexOf("d") = secn.LastIndexOf("d")
    End Function

    ' The script's fixed function names, in their readable form.
    Public Function f(ByVal name As String) As String
        Return "q" & name.ToUpper()
    End Function

    Public Function cssClassName(ByVal classKey As String) As String
        Select Case classKey
            Case "LinkPage"
                Return "LinkPage"
            Case "MainFolderPage"
                Return "MainFolderPage"
            Case "MainFolderBox"
                Return "MainFolderBox"
            Case "MainFolderLine"
                Return "MainFolderLine"
            Case "SubFolderPage"
                Return "SubFolderPage"
            Case "SubFolderBox"
                Return "SubFolderBox"
            Case "SubFolderLine"
                Return "SubFolderLine"
            Case "LinkBox"
                Return "LinkBox"
            Case "LinkLine"
                Return "LinkLine"
            Case "MenuTreeBox"
                Return "MenuTreeBox"
            Case Else
                Return ""
        End Select
    End Function
    # End Region

    # Region "Common - Parse lists"
    ' The project's language codes, each ended by ";;" (empty for one
    ' language), and the automatic width's pixel values.
    Private Const languageList As String = "en-US;;de-DE;;"
    Private Const pixelBase As String = ""
    Private Const pixelsPerCharacter As String = ""

    ' The width for every language (an item missing from a shorter list
    ' takes its first item), each ended by ";;"; one plain value without
    ' languages.
    Public Function getColWidthList(ByVal baseList As String, ByVal perCharacterList As String, ByVal lengthList As String) As String
        Dim basePosition As Integer = 1
        Dim perCharacterPosition As Integer = 1
        Dim lengthPosition As Integer = 1
        Dim firstBase As String = getNextString(baseList, basePosition)
        Dim firstPerCharacter As String = getNextString(perCharacterList, perCharacterPosition)
        Dim firstLength As String = getNextString(lengthList, lengthPosition)
        If languageList = "" Then
            Return getColWidthElement(firstBase, firstPerCharacter, firstLength)
        End If
        Dim base As String = firstBase
        Dim perCharacter As String = firstPerCharacter
        Dim length As String = firstLength
        Dim result As String = ""
        Dim languagePosition As Integer = 1
        Dim language As String = getNextString(languageList, languagePosition)
        While language <> ""
            result = result & getColWidthElement(base, perCharacter, length) & ";;"
            base = getNextString(baseList, basePosition)
            If base = "" Then
                base = firstBase
            End If
            perCharacter = getNextString(perCharacterList, perCharacterPosition)
            If perCharacter = "" Then
                perCharacter = firstPerCharacter
            End If
            length = getNextString(lengthList, lengthPosition)
            If length = "" Then
                length = firstLength
            End If
            language = getNextString(languageList, languagePosition)
        End While
        Return result
    End Function

    ' base + per character x length, in pixels; 40, 7 and 10 stand in for
    ' values that are not numbers.
    Public Function getColWidthElement(ByVal base As String, ByVal perCharacter As String, ByVal length As String) As String
        Dim b As Integer
        Dim c As Integer
        Dim n As Integer
        If Not Integer.TryParse(base, b) Then
            b = 40
        End If
        If Not Integer.TryParse(perCharacter, c) Then
            c = 7
        End If
        If Not Integer.TryParse(length, n) Then
            n = 10
        End If
        Return CStr(b + c * n) & "px"
    End Function

    ' Per language, the larger of the stored length and the length of the
    ' name's item for that language.
    Public Function increaseLength(ByVal name As String, ByVal lengthList As String) As String
        If languageList = "" Then
            Return increaseLengthElement(name, lengthList)
        End If
        Dim namePosition As Integer = 1
        Dim lengthPosition As Integer = 1
        Dim firstName As String = getNextString(name, namePosition)
        Dim firstLength As String = getNextString(lengthList, lengthPosition)
        Dim item As String = firstName
        Dim length As String = firstLength
        Dim result As String = ""
        Dim languagePosition As Integer = 1
        Dim language As String = getNextString(languageList, languagePosition)
        While language <> ""
            result = result & increaseLengthElement(item, length) & ";;"
            item = getNextString(name, namePosition)
            If item = "" Then
                item = firstName
            End If
            length = getNextString(lengthList, lengthPosition)
            If length = "" Then
                length = firstLength
            End If
            language = getNextString(languageList, languagePosition)
        End While
        Return result
    End Function

    Public Function increaseLengthElement(ByVal name As String, ByVal length As String) As String
        Dim stored As Integer
        If Not Integer.TryParse(length, stored) Then
            stored = 2
        End If
        If Len(name) > stored Then
            Return CStr(Len(name))
        End If
        Return CStr(stored)
    End Function

    ' The text from position (1 for the first character) to the next ";;";
    ' position moves past it. "" at the end of the list.
    Public Function getNextString(ByVal list As String, ByRef position As Integer) As String
        If position > Len(list) Then
            Return ""
        End If
        Dim found As Integer = InStr(position, list, ";;")
        Dim item As String
        If found = 0 Then
            item = Mid(list, position)
            position = Len(list) + 1
        Else
            item = Mid(list, position, found - position)
            position = found + 2
        End If
        Return item
    End Function
    # End Region
     End Class
