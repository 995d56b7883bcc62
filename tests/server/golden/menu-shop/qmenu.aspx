<%@ Page Language="VB"%>
<%@ Register  TagPrefix="qwk" TagName="qmenu" Src="~/menu/qmenu.ascx" %>
<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN" "http://www.w3.org/TR/html4/loose.dtd">
<html xmlns="http://www.w3.org/1999/xhtml" >
<head id="Head1" runat="server">
   <title>Writing WEB/menu/qmenu.js</title>
   <link rel="stylesheet" type="text/css" href="/qmenu.css">
</head>
<body>
   <p>The following menu has just been written by qmenu.aspx :</p>
   <p><qwk:qmenu runat="server" ID="qmenu1" /></p>
</body>
</html>
